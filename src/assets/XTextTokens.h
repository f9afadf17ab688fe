#pragma once

#include "assets/XTokens.h"

namespace qv {

// The tokens of a text .x file, split as Assimp's parser splits them: white space and comments
// ("#" or "//" where a token would start) between tokens; ';', ',', '{' and '}' tokens of their
// own; anything else a run up to the next of them or white space. Numbers are read character by
// character as the parser reads them, so "1,5" where a real belongs (the parser's decimal comma)
// is refused rather than taken as the two numbers it looks like.
class XTextTokens : public XTokens {
  public:
    // The whole file; reading starts on the line after the 16-byte header, as the parser's does.
    explicit XTextTokens(std::string_view text);

    XToken next() override;
    uint64_t whole() override;
    float real() override;
    void optionalSeparator() override;
    void separator() override;
    void semicolon() override;
    std::string_view string() override;

  protected:
    std::string where() const override;

  private:
    void skipBlanks();
    bool startsComment() const;
    size_t digitsFrom(size_t at) const;
    bool digitAt(size_t at) const;
    char at(size_t index) const;
    std::string shown(size_t from) const;
    size_t realEnd();

    std::string_view text_;
    size_t at_;
};

} // namespace qv

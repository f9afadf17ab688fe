#pragma once

#include "assets/XTokens.h"

namespace qv {

// The tokens of a binary .x file as Assimp's parser reads them. Its number reads take the next
// value of the list they are in, or open the next list: they cannot tell a list of whole numbers
// from one of reals, nor either from other tokens (anything but a list counts as "one integer
// follows"), so one out of place makes every read after it take the wrong bytes. Here a whole
// number must come from a whole-number list or integer token and a real from a real list, a list
// may not be empty, every token must fit in the file, and a list the layout has not read to its
// end may not be followed by anything else.
class XBinaryTokens : public XTokens {
  public:
    // The whole file; floatBytes is 4 or 8, as its header says.
    XBinaryTokens(std::string_view bytes, size_t floatBytes);

    XToken next() override;
    uint64_t whole() override;
    float real() override;
    // Binary files carry no separators between numbers; the parser reads none.
    void optionalSeparator() override {}
    void separator() override {}
    void semicolon() override {}
    std::string_view string() override;

  protected:
    std::string where() const override;

  private:
    uint16_t readWord();
    uint32_t readDword();
    std::string_view take(uint64_t count);
    std::string_view counted(uint64_t itemBytes);
    void startNumbers(uint16_t list);
    void nextValueFrom(uint16_t list);
    double readValue();
    XToken mark(uint16_t token) const;

    std::string_view bytes_;
    size_t floatBytes_;
    size_t at_;
    uint32_t pending_ = 0;     // values left in the list the number reads are in
    uint16_t pendingList_ = 0; // which kind of list that is
};

} // namespace qv

#pragma once

#include <optional>
#include <string>

namespace qv {

// The best ride and its goals are two files, written one after the other; a game stopped
// between the two would leave a new route with the old goals (the attract demo would then ride
// past every target). A small seal, written after both, names the pair by size and hash, so a
// reader can tell a whole pair from a cut one; the pair before is kept as "<file>.prev" and read
// instead of a cut one. The two files keep their formats; a pair without a seal (the content's
// own demo, files from before seals) is read as it is.
class DemoPair {
  public:
    struct Files {
        std::string ride;
        std::string goals;
    };

    // seal empty: the pair is never sealed (read as it stands).
    DemoPair(Files files, std::string seal);

    // Before a new pair is written: the pair there becomes the previous generation, unless it
    // is a cut one (then the previous generation is the last whole pair, and stays). True when
    // there was nothing to keep or it was kept; when false, the new pair must not be written
    // (a cut save would leave no whole pair).
    bool keepPrevious() const;
    // After both files are written.
    bool seal() const;
    // The pair to read: the one there when it is whole, else the previous generation when that
    // is, else the one there.
    Files readable() const;

    static std::string sealText(const Files& files);

  private:
    bool whole(const Files& files) const;
    Files previous() const;

    Files files_;
    std::string seal_;
};

} // namespace qv

// A scope in which zip compression runs at zlib's fastest level. The xlsx
// library compresses its sheets at the default level, and half of a long
// export's time goes there; level 1 makes 450,000 samples about two seconds
// quicker for a file about a third larger. Outside the scope every deflate
// (PNG, PDF) keeps the level it asks for. One thread: the flag needs no lock.
#pragma once

namespace lxv {

class ScopedFastDeflate {
  public:
    ScopedFastDeflate();
    ~ScopedFastDeflate();
    ScopedFastDeflate(const ScopedFastDeflate&) = delete;
    ScopedFastDeflate& operator=(const ScopedFastDeflate&) = delete;

    // True while a scope is open.
    static bool active();
};

}  // namespace lxv

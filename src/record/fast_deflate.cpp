#include "record/fast_deflate.h"

#include <dlfcn.h>
#include <zlib.h>

namespace lxv {

namespace {
int openScopes = 0;
}  // namespace

ScopedFastDeflate::ScopedFastDeflate() {
    ++openScopes;
}
ScopedFastDeflate::~ScopedFastDeflate() {
    --openScopes;
}
bool ScopedFastDeflate::active() {
    return openScopes > 0;
}

}  // namespace lxv

// zlib's deflateInit2_ as the program's libraries call it (exported from the
// executable, see CMakeLists.txt): the level is lowered to 1 inside a
// ScopedFastDeflate and passed on unchanged otherwise.
extern "C" int deflateInit2_(z_streamp stream, int level, int method, int windowBits, int memLevel,
                             int strategy, const char* version, int streamSize) {
    using Init = int (*)(z_streamp, int, int, int, int, int, const char*, int);
    static const Init next = reinterpret_cast<Init>(dlsym(RTLD_NEXT, "deflateInit2_"));
    if (!next) return Z_VERSION_ERROR;
    if (lxv::ScopedFastDeflate::active() && level != 0) level = 1;
    return next(stream, level, method, windowBits, memLevel, strategy, version, streamSize);
}

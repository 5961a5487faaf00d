#include "link/registers.h"

namespace lxv {

std::string_view RegisterName(std::uint16_t reg) {
    switch (reg) {
        case AL1H: return "AL1H";
        case AL1L: return "AL1L";
        case AL2H: return "AL2H";
        case AL2L: return "AL2L";
        case AL3H: return "AL3H";
        case AL3L: return "AL3L";
        case AL4H: return "AL4H";
        case AL4L: return "AL4L";
        case ALSW: return "ALSW";
        case STEST: return "STEST";
        case MEAS: return "MEAS";
        case CALU: return "CALU";
        case CALI: return "CALI";
        case TCOMP: return "TCOMP";
        case IPHN: return "IPHN";
        case IPHW: return "IPHW";
        case CALLOCK: return "CALLOCK";
        case LINKEND: return "LINKEND";
        case LINKCHK: return "LINKCHK";
        case SETUP: return "SETUP";
        default: return "REG?";
    }
}

bool IsAlarmLimit(std::uint16_t reg) {
    return reg >= AL1H && reg <= AL4L;
}

}  // namespace lxv

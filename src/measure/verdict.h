// The verdict of a test procedure as every view of it shows it: the word the
// files carry (the same in every language), the text the window, the report
// page and the messages show (to translate), its one colour and the program's
// exit code. A procedure maps its result to one of these; the window, the
// page, the CSV and the command line take it from there.
//
//   kind                     file word         shown                          exit
//   Pass                     PASS              "PASS"                          0
//   Fail                     FAIL              "FAIL"                          3
//   NotApplicable            NOT APPLICABLE    "NOT APPLICABLE"                4
//   PassOutsideConditions    PASS              "PASS (supply outside the       5
//                                               conditions)"
//   NotStable                NOT STABLE        "NOT STABLE"                    6
//   Incomplete               INCOMPLETE        "INCOMPLETE after N s of M s"   1
//   None                     NO VERDICT        "NO VERDICT"                    1
//
// Depends on: appearance/chart_colours.h (Rgb), platform/ui_text.h. No Qt.
#pragma once

#include "appearance/chart_colours.h"
#include "platform/ui_text.h"

namespace lxv {

enum class VerdictKind { Pass, Fail, NotApplicable, PassOutsideConditions, NotStable, Incomplete, None };

// Exit codes of the command-line procedures; 2 is a bad option (app/).
inline constexpr int kExitPass = 0;
inline constexpr int kExitNoVerdict = 1;  // an error, a stop, too little data
inline constexpr int kExitFail = 3;
inline constexpr int kExitNotApplicable = 4;
inline constexpr int kExitPassOutsideConditions = 5;
inline constexpr int kExitNotStable = 6;

// The colours of the verdicts, on the window's and the page's light background.
inline constexpr Rgb kVerdictGreen{0, 140, 60}, kVerdictRed{210, 30, 30}, kVerdictAmber{190, 110, 0};

struct Verdict {
    VerdictKind kind = VerdictKind::None;
    UiText text;           // as shown, to translate
    const char* fileWord;  // in the CSV and other files
    Rgb colour;
    int exitCode = kExitNoVerdict;

    bool hasVerdict() const { return kind != VerdictKind::None && kind != VerdictKind::Incomplete; }
    // A long text (not "PASS" or "FAIL"): the report page sets it in smaller letters.
    bool longText() const { return kind != VerdictKind::Pass && kind != VerdictKind::Fail; }
};

// The verdict of this kind; an incomplete one counts `afterSeconds` of `ofSeconds`
// (whole seconds, rounded down).
Verdict MakeVerdict(VerdictKind kind, double afterSeconds = 0, double ofSeconds = 0);

}  // namespace lxv

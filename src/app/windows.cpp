#include "app/windows.h"

#include "app/command_line.h"
#include "app/main_form.h"
#include "app/test_hooks.h"
#include "app/version_form.h"
#include "link/comm_form.h"
#include "session/session.h"

namespace lxv {

Windows::Windows(Session& session, IniFile& sysSet, const QStringList& arguments) {
    (void)sysSet;
    // The main window first: it sets the start values of the display and looks at the command line.
    main_ = std::make_unique<TMainForm>(session);
    TMainForm& main = *main_;
    main.ApplyStartFile(ParseCommandLine(arguments));
    main.ShowMeasurement();

    auto* version = new TVForm(&main);
    main.SetVersionForm(version);

    // The port settings: the scan opens the instrument's port and asks for its settings block.
    auto* comm = new TCommForm(session.linkControl, &main);
    main.SetCommForm(comm);
    TestHooks::FromEnvironment(session, main, &main);
    comm->FormCreate();
}

Windows::~Windows() = default;

}  // namespace lxv

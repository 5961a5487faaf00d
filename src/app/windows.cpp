#include "app/windows.h"

#include <QAction>
#include <utility>

#include "app/command_line.h"
#include "app/main_form.h"
#include "app/test_hooks.h"
#include "app/version_form.h"
#include "link/comm_form.h"
#include "measure/harmonic_form.h"
#include "measure/starting_form.h"
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

    auto* harmonic = new THarmonicForm(session.core.record, &main);
    main.AttachWindow("N18", 6, [harmonic] { harmonic->show(); });

    auto* starting = new TStartingForm(session.starting, session.core.record, &main);
    main.AttachWindow("N15", 10, [starting] {
        starting->show();
        starting->raise();
        starting->activateWindow();
    });
    // Shortcuts of the two windows, shown in the menu.
    for (const auto& [item, key] : {std::pair{"N15", Qt::Key_T}, std::pair{"N18", Qt::Key_H}})
        if (auto* action = main.findChild<QAction*>(item)) action->setShortcut(QKeySequence(Qt::CTRL | key));
}

Windows::~Windows() = default;

}  // namespace lxv

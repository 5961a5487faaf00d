// What the command line asks for at start-up: a test file to open, a record
// file for the record window, or nothing.
#pragma once

#include <QString>
#include <QStringList>

namespace lxv {

enum class StartFileKind { None, TestFile, RecordFile };

struct StartFile {
    bool startedWithFile = false;  // any parameter at all
    StartFileKind kind = StartFileKind::None;
    QString path;  // the first parameter, without enclosing quotes
};

// `arguments` are the parameters after the program's own path. Only the exact
// endings "lxm", "LXM", "Lxm" (test file) and "lxr", "LXR", "Lxr" (record file)
// count; other mixed cases are ignored.
StartFile ParseCommandLine(const QStringList& arguments);

}  // namespace lxv

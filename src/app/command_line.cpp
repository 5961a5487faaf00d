#include "app/command_line.h"

namespace lxv {

namespace {

QString StripQuotes(QString text) {
    text = text.trimmed();
    if (text.size() >= 2 && text.startsWith('"') && text.endsWith('"')) text = text.mid(1, text.size() - 2);
    return text;
}

}  // namespace

StartFile ParseCommandLine(const QStringList& arguments) {
    StartFile result;
    if (arguments.isEmpty()) return result;
    result.startedWithFile = true;
    // The ending is judged on the whole rest of the command line, as typed.
    const QString line = StripQuotes(arguments.join(' '));
    const QString ending = line.right(3);
    if (ending == "lxm" || ending == "LXM" || ending == "Lxm")
        result.kind = StartFileKind::TestFile;
    else if (ending == "lxr" || ending == "LXR" || ending == "Lxr")
        result.kind = StartFileKind::RecordFile;
    if (result.kind != StartFileKind::None) result.path = StripQuotes(arguments.first());
    return result;
}

}  // namespace lxv

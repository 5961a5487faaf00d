#include "report/report_info.h"

#include "platform/app_paths.h"
#include "platform/ini_file.h"
#include "platform/translation.h"

namespace lxv {

ReportInfo ReadReportInfo(const IniFile& file) {
    ReportInfo info;
    info.projectName = file.readString(kPrintInfoSection, "ProjectName", "2");
    info.company = file.readString(kPrintInfoSection, "company", "2");
    info.conner = file.readString(kPrintInfoSection, "conner", "2");
    info.date = file.readString(kPrintInfoSection, "date", "2");
    info.temperature = file.readString(kPrintInfoSection, "temperature", "2");
    info.units = file.readInteger(kPrintInfoSection, "units", 2);
    return info;
}

bool ReadStoredReportInfo(ReportInfo& info, std::string& error) {
    const IniFile file(EnterInfoPath());
    try {
        info = ReadReportInfo(file);
        return true;
    } catch (const ConversionError& e) {
        error = file.path() + ": " + Translated(e.text()).toStdString();
        return false;
    }
}

bool WriteReportInfo(IniFile& file, const ReportInfo& info, bool celsius) {
    return file.writeStrings(kPrintInfoSection, {{"ProjectName", info.projectName},
                                                 {"company", info.company},
                                                 {"conner", info.conner},
                                                 {"date", info.date},
                                                 {"temperature", info.temperature},
                                                 {"units", celsius ? "1" : "0"}});
}

}  // namespace lxv

#pragma once

#include <QString>
#include <string>
#include <vector>

#include "errorreport.h"
#include "fakemessagebox.h"
#include "form1.h"
#include "formlifecycle.h"
#include "qtsettingsstore.h"
#include "recordingskin.h"

namespace metrivo::test {

// One start of the window over a settings folder and an empty program folder,
// with the real settings store; every report is kept, and every call to the
// skin component.
class ProgramRun {
  public:
    ProgramRun(const QString& configFolder, const QString& programFolder)
        : settings_(configFolder),
          report_(box_, std::string(kTestSupportAddress)),
          form_(settings_, report_, "."),
          lifecycle_(form_, skin_, [programFolder] { return programFolder.toStdString(); }) {}

    void Load() {
        lifecycle_.Form_Load();
        form_.show();
    }
    Form1& form() { return form_; }
    FormLifecycle& lifecycle() { return lifecycle_; }
    std::vector<std::string> Reports() const { return box_.reports(); }
    // The reports' whole texts, in order.
    const std::vector<std::string>& texts() const { return box_.texts; }
    // How often the skin component was called.
    std::size_t skinCalls() const { return skin_.accesses.size(); }

  private:
    QtSettingsStore settings_;
    FakeMessageBox box_;
    ErrorReport report_;
    RecordingSkin skin_;
    Form1 form_;
    FormLifecycle lifecycle_;
};

}  // namespace metrivo::test

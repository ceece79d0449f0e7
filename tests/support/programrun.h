#pragma once

#include <QString>
#include <string>
#include <vector>

#include "errorreport.h"
#include "form1.h"
#include "formlifecycle.h"
#include "messageboxservice.h"
#include "qtsettingsstore.h"
#include "skinframework.h"

namespace metrivo::test {

// One start of the window over a settings folder and an empty program folder,
// with the real settings store and every report kept as "description@label".
class ProgramRun {
  public:
    ProgramRun(const QString& configFolder, const QString& programFolder)
        : settings_(configFolder),
          report_(box_, "help@example.org"),
          form_(settings_, report_, "."),
          lifecycle_(form_, skin_, [programFolder] { return programFolder.toStdString(); }) {}

    void Load() {
        lifecycle_.Form_Load();
        form_.show();
    }
    Form1& form() { return form_; }
    FormLifecycle& lifecycle() { return lifecycle_; }
    const std::vector<std::string>& Reports() const { return box_.reports; }
    // The reports' whole texts, in order.
    const std::vector<std::string>& texts() const { return box_.texts; }
    // How often the skin component was called.
    int skinCalls() const { return skin_.calls; }

  private:
    class Box : public MessageBoxService {
      public:
        void ShowWarning(std::string_view, std::string_view text) override {
            texts.emplace_back(text);
            const std::string marker = " at line ";
            const auto at = text.find(marker);
            const auto end = text.find('\r', at);
            reports.push_back(std::string(text.substr(0, text.find('\r'))) + "@" +
                              std::string(text.substr(at + marker.size(),
                                                      end - at - marker.size())));
        }
        std::vector<std::string> reports;
        std::vector<std::string> texts;
    };
    class NoSkin : public SkinFramework {
      public:
        Value Invoke(int32_t, const std::vector<Value>&) override {
            ++calls;
            return {};
        }
        Value Get(int32_t) override {
            ++calls;
            return int32_t{0};
        }
        void Put(int32_t, const Value&) override { ++calls; }
        int calls = 0;
    };

    QtSettingsStore settings_;
    Box box_;
    ErrorReport report_;
    NoSkin skin_;
    Form1 form_;
    FormLifecycle lifecycle_;
};

}  // namespace metrivo::test

#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStringList>
#include <QTest>
#include <memory>

#include "errorreport.h"
#include "fakemessagebox.h"
#include "fakesettingsstore.h"
#include "form1.h"
#include "styledpushbutton.h"

namespace metrivo::test {

// A window over its own fakes. Started, it is prepared as the program
// prepares it for now: the catalogue, then the category Length; otherwise it
// is the window as designed.
struct TestWindow {
    explicit TestWindow(bool started = true, std::string separator = ".")
        : report(box, std::string(kTestSupportAddress)),
          form(std::make_unique<Form1>(settings, report, std::move(separator))) {
        if (started) {
            form->LoadUnits();
            form->optUnits_Click(0);
        }
    }

    // Shows the window and waits until it has the keyboard focus.
    bool ShowActive() {
        form->show();
        form->activateWindow();
        return QTest::qWaitForWindowActive(form.get());
    }

    template <typename T>
    T* Find(const char* name) const {
        return form->findChild<T*>(QString::fromLatin1(name));
    }

    static QStringList Items(const QComboBox* list) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
        return items;
    }

    FakeSettingsStore settings;
    FakeMessageBox box;
    ErrorReport report;
    std::unique_ptr<Form1> form;
};

}  // namespace metrivo::test

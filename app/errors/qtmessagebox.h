#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <string_view>

#include "messageboxservice.h"

namespace metrivo {

// The modal warning box with one OK button, shown over the main window once
// it is known.
class QtMessageBox : public MessageBoxService {
  public:
    explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}

    void SetParentWidget(QWidget* parent) { parent_ = parent; }
    void ShowWarning(std::string_view title, std::string_view text) override;

    // The text as the box shows it: CR LF and a lone CR both end a line, so
    // the report's CR CR becomes an empty line.
    static QString DisplayText(std::string_view text);

  private:
    QPointer<QWidget> parent_;
};

}  // namespace metrivo

#pragma once

#include <QString>
#include <QtGlobal>
#include <string>
#include <utility>
#include <vector>

namespace metrivo {

// Watches Qt's messages while the application object is made. When Qt
// cannot reach the display it ends the program with an abort and a page of
// advice; this turns that into one line on standard error and exit status 1.
// Messages of a start that succeeds are passed on unchanged once Release is
// called. One instance at a time.
class StartupMessages {
  public:
    StartupMessages();
    ~StartupMessages();
    StartupMessages(const StartupMessages&) = delete;
    StartupMessages& operator=(const StartupMessages&) = delete;

    // Puts the previous message handler back and hands it what was kept.
    void Release();

    // The one line for a start that failed, from the messages Qt gave.
    static std::string FailureLine(const std::vector<std::string>& messages,
                                   const std::string& fatal);

  private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text);

    QtMessageHandler previous_ = nullptr;
    bool released_ = false;
};

}  // namespace metrivo

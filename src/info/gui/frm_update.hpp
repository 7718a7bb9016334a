#pragma once
// The update window: compares the own version with the version file on the homepage.
#include <chrono>
#include <string>

#include <QDialog>

#include "core/messages.hpp"
#include "games/app_state.hpp"
#include "info/gui/qt_download.hpp"

class QGroupBox;
class QLabel;
class QPushButton;

namespace korvane {

class ClickLabel;

// The window keeps its historical name, which is also its objectName.
class frmUpdate : public QDialog {
    Q_OBJECT
  public:
    // versionUrl: where the version file lies (the build setting in the program, a local
    // server in tests).
    frmUpdate(QWidget* owner, const AppState& state, std::string versionUrl,
              std::chrono::milliseconds downloadTimeout = DefaultDownloadTimeout);
    ~frmUpdate() override;

    void done(int result) override;

    // The local copy of the version file.
    const std::string& LocalCopyPath() const { return localPath_; }

  private:
    void BtnCheckUpdate_Click();
    void lblResult_Click();
    void DeleteLocalCopy();
    QString FileValue(const std::string& key) const;
    QString Text(const MessageText& text) const;

    Language language_;
    std::string versionUrl_;
    std::string localPath_;
    std::chrono::milliseconds downloadTimeout_;

    QGroupBox* frmAction_;
    QLabel* lblCurrentversion_;
    QLabel* lblCurrentversiondate_;
    QLabel* lblWebversion_;
    QLabel* lblWebversiondate_;
    ClickLabel* lblResult_;
    QLabel* LblUpdateInfo_;
    QPushButton* BtnCheckUpdate_;
    QPushButton* BtnQuit_;
};

} // namespace korvane

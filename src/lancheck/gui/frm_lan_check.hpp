#pragma once
// The LAN check window: what this PC holds, its report saved for the others, and the
// comparison with another PC's report.
#include <functional>
#include <vector>

#include <QDialog>

#include "games/app_state.hpp"
#include "core/messages.hpp"
#include "lancheck/component_status.hpp"

class QLabel;
class QPlainTextEdit;

namespace korvane {

class frmLanCheck : public QDialog {
    Q_OBJECT
  public:
    // Collects this PC's state once; the window is modal, so nothing changes it meanwhile.
    frmLanCheck(AppState& state, MessageSink& sink, QWidget* parent = nullptr);

    // The file dialogs: (owner, title, proposed name, filter) -> chosen file or empty.
    using FileDialog =
        std::function<QString(QWidget*, const QString&, const QString&, const QString&)>;
    void SetSaveDialog(FileDialog dialog) { saveDialog_ = std::move(dialog); }
    void SetOpenDialog(FileDialog dialog) { openDialog_ = std::move(dialog); }

    void SaveReport();
    void CompareWith(const QString& file);

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    AppState& state_;
    MessageSink& sink_;
    FileDialog saveDialog_;
    FileDialog openDialog_;
    std::vector<lancheck::ComponentStatus> components_;
    QLabel* verdict_ = nullptr;
    QPlainTextEdit* differences_ = nullptr;
};

} // namespace korvane

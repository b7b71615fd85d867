#pragma once
// "Журнал": the modem board's event log grid and its buttons, and the clock
// group. It shows the records; every button is forwarded to the request hub
// by the main window.

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableView;
class QToolButton;

namespace varnel {
class EventLog;
struct TBRDS;
}  // namespace varnel

namespace varnel::ui {

class LogGridModel;

class ModemLogPage : public QWidget {
  Q_OBJECT
 public:
  explicit ModemLogPage(QWidget* parent = nullptr);

  // The grid shows this log's records from now on.
  void Attach(const EventLog& log);
  // Redraw from the records: the clock labels from the modem board's record,
  // the grid and which controls an open log offers.
  void Show(const TBRDS& modem, bool debug);
  // The rate correction step the operator set (K).
  int correction() const { return correction_; }
  void StepCorrection(bool up, bool debug);
  // cbNumLogRD's choice as a batch code: 2^code entries.
  int batchCode() const;

  QPushButton* open = nullptr;       // ButVKLog
  QPushButton* read = nullptr;       // ButVKLogRD
  QComboBox* batch = nullptr;        // cbNumLogRD
  QPushButton* readAll = nullptr;    // ButVKLogALL
  QPushButton* clear = nullptr;      // ButVKLogCLR
  QPushButton* save = nullptr;       // ButVKLogSave
  QPushButton* view = nullptr;       // ButLogView
  QPushButton* clockToggle = nullptr;  // ButVKClock
  QGroupBox* clock = nullptr;        // PanVKClock
  QLabel* clockTime = nullptr;       // LabTimeVK
  QLabel* clockCorrection = nullptr;  // LabVKtimecorr
  QToolButton* correctionUp = nullptr;    // UpDownVKtime, up
  QToolButton* correctionDown = nullptr;  // UpDownVKtime, down
  QPushButton* clockRead = nullptr;   // ButTimeRefrVK
  QPushButton* clockRate = nullptr;   // ButTimeSpeedVK
  QPushButton* clockSet = nullptr;    // ButTimeSyncVK
  QTableView* grid = nullptr;         // VKLog
  LogGridModel* model = nullptr;

 signals:
  // The operator chose another grid row (1-based, as the records count).
  void currentRowChosen(int row);
  // A double-click took a cell's text as the highlight.
  void highlightChosen(int column, int row, const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildButtons();
  QGroupBox* BuildClock();
  QTableView* BuildGrid();
  void SelectCurrentRow();
  void ShowCorrection(bool debug);

  const EventLog* log_ = nullptr;
  int correction_ = 0;
};

}  // namespace varnel::ui

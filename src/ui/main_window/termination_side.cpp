// The termination board window's flows: reading and writing the
// configuration area of the board's flash through the flash session.
#include "boards/termination/config_form.h"
#include "boards/termination/config_validation.h"
#include "firmware/update_file.h"
#include "firmware/update_placement.h"
#include "ui/main_window/dialogs.h"
#include "ui/widgets/qt_text.h"
#include "ui/boards/termination/config_window.h"
#include "ui/boards/termination/flash_window.h"
#include "ui/main_window/main_window.h"
#include "net_qt/udp_endpoint.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace varnel::ui {

namespace {

// The selected termination board, or none.
TBRDS* SelectedTermination(Link& link) {
  const RequestState& r = link.request;
  if (r.selectedSlot < 1 || r.selectedSlot > 3 || !link.registry.inUse(r.currentDevice)) return nullptr;
  return &link.registry.device(r.currentDevice).board(r.selectedSlot);
}

// The configuration area as a 16-byte-block job of the session.
void PrepareConfigJob(FlashSession& session) {
  session.Reset();
  session.setBlockSize(FlashSession::kConfigBlock);
  session.Want(kConfigAddress, kConfigBytes);
  session.setSendingOn(true);
}

// The board starts its program anew; it does not answer.
constexpr std::uint8_t kRestartCommand = 0x04;

// An update file is read whole, once; anything far larger than a flash is refused unread.
constexpr qint64 kMaxUpdateFileBytes = 0x100000 + 64;

struct LoadedUpdate {
  QByteArray bytes;  // what was checked is what is written
  UpdateFileCheck check;
};

LoadedUpdate LoadUpdate(const QString& path) {
  LoadedUpdate u;
  QFile file(path);
  if (path.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > kMaxUpdateFileBytes) {
    u.check.error = file.size() > kMaxUpdateFileBytes ? "Размер данных превышает допустимый" : kNoFileAccessText;
    return u;
  }
  u.bytes = file.readAll();
  u.check = CheckUpdateFile(ByteView(reinterpret_cast<const std::uint8_t*>(u.bytes.constData()),
                                     static_cast<std::size_t>(u.bytes.size())));
  return u;
}

}  // namespace

void MainWindow::CheckTerminationUpdate(TerminationConfigWindow* window) {
  ShowUpdateCheck(window, LoadUpdate(Q(program().settings.slFile)).check);
}

void MainWindow::ShowUpdateCheck(TerminationConfigWindow* window, const UpdateFileCheck& check) {
  window->findChild<QLineEdit*>("EditFileNameFW")->setText(Q(program().settings.slFile));
  window->findChild<QLabel*>("LabStatus")->setText(Display(check.file ? UpdateFileStatus(*check.file) : check.error));
  window->findChild<QPushButton*>("ButFwStart")->setEnabled(check.file.has_value());
}

void MainWindow::ChooseTerminationUpdate(TerminationConfigWindow* window) {
  program().settings.slFile = dialogs_->openUpdateFile(window, Q(program().settings.slFile)).toStdString();
  CheckTerminationUpdate(window);
}

void MainWindow::StartTerminationUpdate(TerminationConfigWindow* window) {
  // Read and checked once more at the start: a file changed or removed since
  // it was chosen is caught, and the bytes checked now are the bytes written.
  const LoadedUpdate u = LoadUpdate(Q(program().settings.slFile));
  ShowUpdateCheck(window, u.check);
  if (!u.check.file || SelectedTermination(link()) == nullptr) return;
  std::vector<std::uint8_t> image(kFlashBytes, 0);
  const std::vector<FlashRange> wanted = PlaceUpdate(*u.check.file, image);
  FlashSession& session = program().flash;
  session.Reset();
  session.setBlockSize(FlashSession::kFirmwareBlock);
  std::copy(image.begin(), image.end(), session.image().begin());
  for (const FlashRange& r : wanted) session.Want(r.begin, r.end - r.begin);
  session.setSendingOn(true);
  RunFlashSession(FlashMode::Write, window);
}

void MainWindow::SendRestart(QWidget* parent) {
  const RequestState& r = link().request;
  if (!link().registry.inUse(r.currentDevice) || r.selectedSlot == 0) return;
  if (!dialogs_->confirm(parent, "Отправить команду перезапуска?")) return;
  link().send.SendBoardCommand(r.currentDevice, r.selectedSlot, {kRestartCommand});
}

bool MainWindow::RunFlashSession(FlashMode mode, QWidget* parent) {
  FlashSession& session = program().flash;
  session.setMode(mode);
  // Board answers are taken only while a request of the operator's runs.
  link().request.requestMode = mode == FlashMode::Write ? kWriteRequest : kReadRequest;
  FlashProgressWindow progress(session, parent, [this] { return endpoint().lastReadAt(); });
  progress.Run();
  return session.finished();
}

void MainWindow::ReadTerminationConfig(TerminationConfigWindow* window) {
  TBRDS* found = SelectedTermination(link());
  if (found == nullptr) return;
  TBRDS& board = *found;
  FlashSession& session = program().flash;
  PrepareConfigJob(session);
  if (!RunFlashSession(FlashMode::Read, window)) return;
  const auto image = session.image().subspan(kConfigAddress, kConfigBytes);
  std::array<std::uint8_t, 3> types{};
  for (std::size_t i = 0; i < types.size(); ++i) types[i] = board.Modules[i].Tag;
  const std::optional<TerminationConfig> config = DecodeTerminationConfig(ByteView(image.data(), image.size()), types);
  if (!config) return;
  board.Flags8 = 1;  // read since the window opened: a write may follow
  terminationRead_ = *config;
  window->SetForm(FormFromConfig(*config));
}

void MainWindow::WriteTerminationConfig(TerminationConfigWindow* window) {
  TBRDS* found = SelectedTermination(link());
  if (found == nullptr) return;
  const TBRDS& board = *found;
  // Over the record as read, so what the window does not show stays as it was.
  TerminationConfig config = terminationRead_.value_or(TerminationConfig{});
  ApplyForm(window->Form(), config);
  const std::string errors = ValidateTerminationConfig(
      config, {board.Flags8 != 0 && terminationRead_.has_value(), link().request.selectedSlot, board.Ver1, board.Ver2});
  if (!errors.empty()) {
    dialogs_->warning(window, "Ошибка:\n" + Display(errors));
    return;
  }
  if (!dialogs_->confirm(window, "Подтвердите запись")) return;
  FlashSession& session = program().flash;
  PrepareConfigJob(session);
  const ConfigBytes bytes = EncodeTerminationConfig(config, board.Ver1, board.Ver2);
  std::copy(bytes.begin(), bytes.end(), session.image().begin() + kConfigAddress);
  RunFlashSession(FlashMode::Write, window);
}

}  // namespace varnel::ui

// The termination board window's flows: reading the configuration area of
// the board's flash through the flash session, into the window's settings.
#include "boards/termination/config_form.h"
#include "ui/boards/termination/config_window.h"
#include "ui/boards/termination/flash_window.h"
#include "ui/main_window/main_window.h"

namespace varnel::ui {

void MainWindow::ReadTerminationConfig(TerminationConfigWindow* window) {
  const RequestState& r = link().request;
  if (r.selectedSlot < 1 || r.selectedSlot > 3 || !link().registry.inUse(r.currentDevice)) return;
  TBRDS& board = link().registry.device(r.currentDevice).board(r.selectedSlot);
  FlashSession& session = program().flash;
  session.Reset();
  session.setBlockSize(FlashSession::kConfigBlock);
  session.Want(kConfigAddress, kConfigBytes);
  session.setMode(FlashMode::Read);
  session.setSendingOn(true);
  // Board answers are taken only while a request of the operator's runs.
  link().request.requestMode = kReadRequest;
  FlashProgressWindow progress(session, window);
  progress.Run();
  if (!session.finished()) return;
  const auto image = session.image().subspan(kConfigAddress, kConfigBytes);
  std::array<std::uint8_t, 3> types{};
  for (std::size_t i = 0; i < types.size(); ++i) types[i] = board.Modules[i].Tag;
  const std::optional<TerminationConfig> config = DecodeTerminationConfig(ByteView(image.data(), image.size()), types);
  if (!config) return;
  board.Flags8 = 1;  // read since the window opened: a write may follow
  window->SetForm(FormFromConfig(*config));
}

}  // namespace varnel::ui

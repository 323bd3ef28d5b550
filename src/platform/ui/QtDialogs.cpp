#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "platform/ui/FontColorDialog.h"
#include "platform/ui/QtConvert.h"
#include "platform/ui/QtDesktop.h"

namespace tintorb {

namespace {

QWidget* DialogParent() {
  return QApplication::activeWindow();
}

QString Caption(const std::string& caption) {
  return caption.empty() ? QStringLiteral("Tintorb") : ToQ(caption);
}

// Buttons carry Japanese texts whatever translations are installed.
int Ask(QMessageBox::Icon icon, const std::string& text, const std::string& caption,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton def) {
  QMessageBox box(icon, Caption(caption), MessageText(text), buttons, DialogParent());
  box.setDefaultButton(def);
  if (auto* b = box.button(QMessageBox::Yes)) b->setText(QString::fromUtf8("はい(&Y)"));
  if (auto* b = box.button(QMessageBox::No)) b->setText(QString::fromUtf8("いいえ(&N)"));
  if (auto* b = box.button(QMessageBox::Cancel)) b->setText(QString::fromUtf8("キャンセル"));
  return box.exec();
}

}  // namespace

void TQtDialogs::Information(const std::string& text, const std::string& caption) {
  Ask(QMessageBox::Information, text, caption, QMessageBox::Ok, QMessageBox::Ok);
}
void TQtDialogs::Warning(const std::string& text, const std::string& caption) {
  Ask(QMessageBox::Warning, text, caption, QMessageBox::Ok, QMessageBox::Ok);
}
void TQtDialogs::Error(const std::string& text, const std::string& caption) {
  Ask(QMessageBox::Critical, text, caption, QMessageBox::Ok, QMessageBox::Ok);
}
bool TQtDialogs::YesNo(const std::string& text, const std::string& caption) {
  return Ask(QMessageBox::Question, text, caption, QMessageBox::Yes | QMessageBox::No,
             QMessageBox::Yes) == QMessageBox::Yes;
}
bool TQtDialogs::OkCancel(const std::string& text, const std::string& caption) {
  return Ask(QMessageBox::Question, text, caption, QMessageBox::Ok | QMessageBox::Cancel,
             QMessageBox::Ok) == QMessageBox::Ok;
}

bool TQtDialogs::InputBox(const std::string& caption, const std::string& prompt,
                          std::string& value) {
  QInputDialog dlg(DialogParent());
  dlg.setWindowTitle(ToQ(caption));
  dlg.setLabelText(MessageText(prompt));
  dlg.setTextValue(ToQ(value));
  dlg.setOkButtonText("OK");
  dlg.setCancelButtonText(QString::fromUtf8("キャンセル"));
  if (dlg.exec() != QDialog::Accepted) return false;
  value = ToStd(dlg.textValue());
  return true;
}

bool TQtDialogs::ChooseColor(TColor& color) {
  QColorDialog dlg(ToQColor(color), DialogParent());
  dlg.setWindowTitle(QString::fromUtf8("色の設定"));
  if (dlg.exec() != QDialog::Accepted) return false;
  color = FromQColor(dlg.currentColor());
  return true;
}

bool TQtDialogs::ChooseFont(TFontSpec& font) {
  TFontColorDialog dlg(font, DialogParent());
  if (dlg.exec() != QDialog::Accepted) return false;
  font = dlg.Selected();
  return true;
}

std::optional<std::string> TQtDialogs::SaveFile(const TSaveFileRequest& request) {
  QFileDialog dlg(DialogParent(), ToQ(request.title));
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  dlg.setFileMode(QFileDialog::AnyFile);
  const QString filter = WindowsFilterToQt(request.filter);
  if (!filter.isEmpty()) dlg.setNameFilter(filter);
  if (!request.defaultExt.empty()) dlg.setDefaultSuffix(ToQ(request.defaultExt));
  if (!request.fileName.empty()) dlg.selectFile(ToQ(request.fileName));
  if (!request.overwritePrompt) dlg.setOption(QFileDialog::DontConfirmOverwrite);
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
  return ToStd(dlg.selectedFiles().front());
}

std::vector<std::string> TQtDialogs::OpenFiles(const TOpenFilesRequest& request) {
  QFileDialog dlg(DialogParent(), ToQ(request.title));
  dlg.setAcceptMode(QFileDialog::AcceptOpen);
  dlg.setFileMode(QFileDialog::ExistingFiles);
  const QString filter = WindowsFilterToQt(request.filter);
  if (!filter.isEmpty()) dlg.setNameFilter(filter);
  std::vector<std::string> out;
  if (dlg.exec() != QDialog::Accepted) return out;
  for (const QString& f : dlg.selectedFiles()) out.push_back(ToStd(f));
  return out;
}

}  // namespace tintorb

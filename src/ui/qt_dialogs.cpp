#include "qt_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "latin1.h"

namespace vexilor {
namespace {

QMessageBox::StandardButton ShowBox(QWidget* owner, QMessageBox::Icon icon, const char* title,
                                    const std::string& text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, QString::fromLatin1(title), ToQString(text), buttons, owner);
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

bool QtDialogs::askYesNo(const std::string& text) {
    return ShowBox(owner_, QMessageBox::Warning, "Attention", text,
                   QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtDialogs::showError(const std::string& text) {
    ShowBox(owner_, QMessageBox::Critical, "Error", text, QMessageBox::Ok);
}

void QtDialogs::showInformation(const std::string& text) {
    ShowBox(owner_, QMessageBox::Information, "Information", text, QMessageBox::Ok);
}

std::string QtDialogs::chooseFile(const std::string& title) {
    // An open dialog that also takes the name of a new file, so the save
    // actions use it too; no file types, no proposed folder or name, and
    // no question when an existing file is chosen.
    QFileDialog dialog(owner_, ToQString(title));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) {
        return {};
    }
    const std::string path = ToLatin1(QDir::toNativeSeparators(chosen.front()));
    return path.size() > MaxChosenPathLength ? std::string() : path;
}

}  // namespace vexilor

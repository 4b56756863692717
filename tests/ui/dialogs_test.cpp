// The message boxes and the file chooser, answered as a user would.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "qt_dialogs.h"
#include "window_fixture.h"

namespace vexilor {
namespace {

// Runs answer on the next modal dialog as soon as it is open.
void AnswerNextDialog(std::function<void(QWidget*)> answer) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            answer(dialog);
        }
    });
    poll->start(5);
}

struct BoxSeen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Notes what the box shows, then presses one of its buttons.
void Press(QMessageBox::StandardButton button, BoxSeen& seen) {
    AnswerNextDialog([button, &seen](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
        box->button(button)->click();
    });
}

class DialogsTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        dialogs = std::make_unique<QtDialogs>(window.get());
    }

    std::unique_ptr<QtDialogs> dialogs;
};

TEST_F(DialogsTest, AttentionBoxIsTrueOnlyForYes) {
    const std::string question = "Do you really want to reset the the instrument?";
    for (const auto& [button, expected] :
         {std::pair{QMessageBox::Yes, true}, std::pair{QMessageBox::No, false}}) {
        BoxSeen seen;
        Press(button, seen);
        EXPECT_EQ(dialogs->askYesNo(question), expected);
        EXPECT_EQ(seen.title, "Attention");
        EXPECT_EQ(seen.text, QString::fromStdString(question));
        EXPECT_EQ(seen.icon, QMessageBox::Warning);
        EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    }
}

TEST_F(DialogsTest, ErrorAndInformationBoxesShowTheirTitleIconAndOk) {
    struct Case {
        std::function<void(const std::string&)> show;
        QString title;
        QMessageBox::Icon icon;
    };
    const std::vector<Case> cases = {
        {[this](const std::string& text) { dialogs->showError(text); }, "Error",
         QMessageBox::Critical},
        {[this](const std::string& text) { dialogs->showInformation(text); }, "Information",
         QMessageBox::Information},
    };
    const std::string text = "Vexilor\n(May 2016)\n\n\nR&D <b>x</b>";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        BoxSeen seen;
        Press(QMessageBox::Ok, seen);
        c.show(text);
        EXPECT_EQ(seen.title, c.title);
        EXPECT_EQ(seen.text, QString::fromStdString(text));
        EXPECT_EQ(seen.icon, c.icon);
        EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
}

TEST_F(DialogsTest, FileChooserTakesANewFileNameOrGivesNothingWhenCancelled) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString newFile = folder.filePath("program.prg");
    QString title;
    bool anyFile = false;
    AnswerNextDialog([&](QWidget* dialog) {
        auto* chooser = qobject_cast<QFileDialog*>(dialog);
        ASSERT_NE(chooser, nullptr);
        title = chooser->windowTitle();
        anyFile = chooser->fileMode() == QFileDialog::AnyFile &&
                  chooser->testOption(QFileDialog::DontConfirmOverwrite);
        chooser->selectFile(newFile);
        static_cast<QDialog*>(chooser)->accept();
    });
    EXPECT_EQ(dialogs->chooseFile("Please choose file to save the program"),
              QDir::toNativeSeparators(newFile).toStdString());
    EXPECT_EQ(title, "Please choose file to save the program");
    EXPECT_TRUE(anyFile);

    AnswerNextDialog([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->reject(); });
    EXPECT_EQ(dialogs->chooseFile("Please choose file to open the program"), "");
}

}  // namespace
}  // namespace vexilor

// The dialogs' wiring: which buttons a message shows and what each way of
// closing answers, the rename fields, the properties text, the About box and
// the prompts that run them for the core.
#include "dialogs/qt/about_dialog.h"
#include "dialogs/qt/dialog_prompts.h"
#include "dialogs/qt/message_dialog.h"
#include "dialogs/qt/properties_dialog.h"
#include "dialogs/qt/rename_dialog.h"

#include <QtTest>

#include <QApplication>
#include <QFileDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <fstream>
#include <functional>

using namespace rovanta;

namespace {

// Runs `drive` on the modal dialog once its exec() loop is up, then closes
// whatever is still modal so a broken dialog fails the test instead of
// hanging it.
template <class Dialog> void whenModal(std::function<void(Dialog*)> drive)
{
    QTimer::singleShot(0, qApp, [drive] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget()))
            drive(dialog);
        for (int i = 0; i < 5; ++i) {
            auto* left = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (left == nullptr)
                break;
            left->reject();
        }
    });
}

QPushButton* button(QWidget* dialog, const char* name)
{
    auto* found = dialog->findChild<QPushButton*>(QLatin1String(name));
    if (found == nullptr)
        qFatal("no button %s", name);
    return found;
}

// A key as the user types it: at the focused control, passed up if unused.
void press(QWidget* dialog, Qt::Key key)
{
    QWidget* target = dialog->focusWidget();
    QTest::keyClick(target != nullptr ? target : dialog, key);
}

// A way of closing a modal dialog: a button's object name, or a key.
struct Closing {
    const char* buttonName = nullptr;
    Qt::Key key = Qt::Key_unknown;
};

void close(QDialog* dialog, const Closing& how)
{
    if (how.buttonName != nullptr)
        button(dialog, how.buttonName)->click();
    else
        press(dialog, how.key);
}

Closing pressing(Qt::Key key)
{
    return Closing{nullptr, key};
}

Closing clicking(const char* name)
{
    return Closing{name, Qt::Key_unknown};
}

} // namespace

Q_DECLARE_METATYPE(Closing)

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void messageButtons_data();
    void messageButtons();
    void messageAnswers_data();
    void messageAnswers();
    void escapeNeverRepeatsTheLastAnswer();
    void enterDoesNotAnswerAQuestion();

    void renameClosing_data();
    void renameClosing();
    void renamePrompt_data();
    void renamePrompt();
    void renameRefusesControlCharacters_data();
    void renameRefusesControlCharacters();

    void propertiesShowsBodyVerbatim();
    void aboutBox();

    void nameFilter_data();
    void nameFilter();
    void savePrompt();
};

void DialogsTest::messageButtons_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("no");
    QTest::newRow("notice") << int(kMessageOk) << false << true << false;
    QTest::newRow("question") << int(kMessageYesNo) << true << false << true;
}

void DialogsTest::messageButtons()
{
    QFETCH(int, type);
    QFETCH(bool, yes);
    QFETCH(bool, ok);
    QFETCH(bool, no);
    MessageDialog dialog;
    const QString text = QStringLiteral("You will delete the Map Name Alps from the Maps List (the Map and the "
                                        "Cal-File will not be deleted)! Continue?");
    dialog.prepare(text, static_cast<MessageType>(type));

    QVERIFY(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("messageText"))->text(), text);
    const auto check = [&dialog](const char* name, bool shown) {
        QPushButton* b = button(&dialog, name);
        QVERIFY2(b->isHidden() != shown && b->isEnabled() == shown, name);
    };
    check("yesButton", yes);
    check("okButton", ok);
    check("noButton", no);
    check("cancelButton", false);
}

void DialogsTest::messageAnswers_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<Closing>("how");
    QTest::addColumn<int>("expected");
    QTest::newRow("Ok") << int(kMessageOk) << clicking("okButton") << int(kAnswerOk);
    QTest::newRow("Enter on a notice") << int(kMessageOk) << pressing(Qt::Key_Return) << int(kAnswerOk);
    QTest::newRow("Escape on a notice") << int(kMessageOk) << pressing(Qt::Key_Escape) << int(kAnswerNo);
    QTest::newRow("Yes") << int(kMessageYesNo) << clicking("yesButton") << int(kAnswerYes);
    QTest::newRow("No") << int(kMessageYesNo) << clicking("noButton") << int(kAnswerNo);
    QTest::newRow("Escape on a question") << int(kMessageYesNo) << pressing(Qt::Key_Escape) << int(kAnswerNo);
}

void DialogsTest::messageAnswers()
{
    QFETCH(int, type);
    QFETCH(Closing, how);
    QFETCH(int, expected);
    MessageDialog dialog;
    QCOMPARE(dialog.lastResult(), 0);
    whenModal<MessageDialog>([how](MessageDialog* shown) { close(shown, how); });
    QCOMPARE(dialog.answer("Save the Tour?", static_cast<MessageType>(type)), expected);
    QCOMPARE(dialog.lastResult(), expected);
}

void DialogsTest::escapeNeverRepeatsTheLastAnswer()
{
    MessageDialog dialog;
    whenModal<MessageDialog>([](MessageDialog* shown) { close(shown, clicking("yesButton")); });
    QCOMPARE(dialog.answer("Delete the Tour?", kMessageYesNo), int(kAnswerYes));
    whenModal<MessageDialog>([](MessageDialog* shown) { close(shown, pressing(Qt::Key_Escape)); });
    QCOMPARE(dialog.answer("Delete the Tour?", kMessageYesNo), int(kAnswerNo));
    QCOMPARE(dialog.lastResult(), int(kAnswerNo));
}

void DialogsTest::enterDoesNotAnswerAQuestion()
{
    MessageDialog dialog;
    bool stayedOpen = false;
    whenModal<MessageDialog>([&stayedOpen](MessageDialog* shown) {
        // Even with Yes focused.
        QPushButton* yes = button(shown, "yesButton");
        yes->setFocus();
        QTest::keyClick(yes, Qt::Key_Return);
        stayedOpen = shown->isVisible();
    });
    QCOMPARE(dialog.answer("Continue?", kMessageYesNo), int(kAnswerNo));
    QVERIFY(stayedOpen);
}

void DialogsTest::renameClosing_data()
{
    QTest::addColumn<Closing>("how");
    QTest::addColumn<int>("expected");
    QTest::newRow("OK") << clicking("okButton") << int(QDialog::Accepted);
    QTest::newRow("Enter") << pressing(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("Cancel") << clicking("cancelButton") << int(QDialog::Rejected);
    QTest::newRow("Escape") << pressing(Qt::Key_Escape) << int(QDialog::Rejected);
}

void DialogsTest::renameClosing()
{
    QFETCH(Closing, how);
    QFETCH(int, expected);
    RenameDialog dialog(QStringLiteral("Harbour"));
    whenModal<RenameDialog>([how](RenameDialog* shown) {
        auto* edit = shown->findChild<QLineEdit*>(QStringLiteral("newNameEdit"));
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("Old Harbour"));
        close(shown, how);
    });
    QCOMPARE(dialog.exec(), expected);
    QCOMPARE(dialog.newName(), QStringLiteral("Old Harbour"));
}

void DialogsTest::renamePrompt_data()
{
    QTest::addColumn<QByteArray>("oldName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("typed") << QByteArray("Harbour") << QStringLiteral("Pier 7") << true << QByteArray("Pier 7");
    // A name read from a Windows file comes back as UTF-8.
    QTest::newRow("kept, Windows-1252") << QByteArray("M\xFChle") << QString() << true << QByteArray("M\xC3\xBChle");
    QTest::newRow("cancelled") << QByteArray("Harbour") << QStringLiteral("Pier 7") << false << QByteArray();
}

void DialogsTest::renamePrompt()
{
    QFETCH(QByteArray, oldName);
    QFETCH(QString, typed);
    QFETCH(bool, accept);
    QFETCH(QByteArray, expected);
    QWidget parent;
    DialogRenamePrompt prompt(&parent);
    whenModal<RenameDialog>([typed, accept](RenameDialog* shown) {
        if (!typed.isNull()) {
            auto* edit = shown->findChild<QLineEdit*>(QStringLiteral("newNameEdit"));
            edit->clear();
            QTest::keyClicks(edit, typed);
        }
        close(shown, clicking(accept ? "okButton" : "cancelButton"));
    });
    const std::optional<std::string> answer = prompt.askNewName(oldName.toStdString());
    QCOMPARE(answer.has_value(), accept);
    if (answer)
        QCOMPARE(QByteArray::fromStdString(*answer), expected);
}

void DialogsTest::renameRefusesControlCharacters_data()
{
    QTest::addColumn<QString>("oldName");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("plain") << QStringLiteral("Harbour") << QStringLiteral("Pier 7") << QStringLiteral("Pier 7") << true;
    QTest::newRow("NUL pasted") << QStringLiteral("Harbour") << QStringLiteral("Pier") + QChar(0) + QStringLiteral("7")
                                << QStringLiteral("Harbour") << true;
    QTest::newRow("line break pasted") << QStringLiteral("Harbour") << QStringLiteral("Pier\n7")
                                       << QStringLiteral("Harbour") << true;
    QTest::newRow("old name holds one") << QStringLiteral("Har\u0001bour") << QString()
                                        << QStringLiteral("Har\u0001bour") << false;
}

void DialogsTest::renameRefusesControlCharacters()
{
    QFETCH(QString, oldName);
    QFETCH(QString, pasted);
    QFETCH(QString, field);
    QFETCH(bool, accepted);
    RenameDialog dialog(oldName);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Rename Map Name"));
    auto* shownOld = dialog.findChild<QLineEdit*>(QStringLiteral("oldNameEdit"));
    QVERIFY(shownOld->isReadOnly() && shownOld->text() == oldName);
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("newNameEdit"));
    QVERIFY(!edit->isReadOnly());
    if (!pasted.isNull())
        edit->insert(pasted); // replaces the selected old name
    QCOMPARE(edit->text(), field);
    QCOMPARE(button(&dialog, "okButton")->isEnabled(), accepted);
    dialog.accept();
    QCOMPARE(dialog.result(), accepted ? int(QDialog::Accepted) : int(QDialog::Rejected));
}

void DialogsTest::propertiesShowsBodyVerbatim()
{
    const QString body = QStringLiteral("Path: /maps/Alps.bmp\nDate:   07.03.2008\nWidth:  200\n<b>Height</b>: 100");
    PropertiesDialog dialog(QStringLiteral("Map Properties"), body);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Map Properties"));
    QCOMPARE(dialog.body(), body);
    auto* text = dialog.findChild<QLabel*>(QStringLiteral("bodyText"));
    QCOMPARE(text->textFormat(), Qt::PlainText);
    QVERIFY(QFontInfo(text->font()).fixedPitch());
    button(&dialog, "okButton")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void DialogsTest::aboutBox()
{
    AboutDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("About Rovanta"));
    QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("versionText"))->text().contains("Rovanta Version 1.1.4"));
    QVERIFY(!dialog.findChild<QLabel*>(QStringLiteral("iconLabel"))->pixmap().isNull());
}

void DialogsTest::nameFilter_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("text files") << "Text File (*.TXT) | *.TXT||"
                                << "Text File (*.TXT) (*.TXT *.txt)";
    QTest::newRow("several patterns") << "Maps (*.BMP;*.Cal) | *.BMP; *.Cal||"
                                      << "Maps (*.BMP;*.Cal) (*.BMP *.bmp *.Cal *.cal)";
    QTest::newRow("lower-case pattern") << "All Files (*.*) | *.*||"
                                        << "All Files (*.*) (*.*)";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("without pattern") << "Text File||"
                                     << "";
    QTest::newRow("without separator") << "Text File (*.TXT)"
                                       << "";
}

void DialogsTest::nameFilter()
{
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(nameFilterFor(filter.toStdString()), expected);
}

// Over a file named in Latin-1, which Qt can only show as text with a
// replacement character: the choice still names that file.
void DialogsTest::savePrompt()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const std::string place = folder.path().toStdString();
    std::ofstream(place + "/Gr\xFCn.TXT").put('\n');
    const SaveFileRequest request{"Save Tour", "Text File (*.TXT) | *.TXT||", ".TXT", place, "Gr\xFCn"};
    QWidget parent;
    FileDialogSavePrompt prompt(&parent);

    struct Seen {
        QString title, suffix, directory;
        QStringList filters;
        bool asksOverwrite = true;
    } seen;
    whenModal<QFileDialog>([&seen](QFileDialog* shown) {
        seen = {shown->windowTitle(), shown->defaultSuffix(), shown->directory().canonicalPath(), shown->nameFilters(),
                !shown->testOption(QFileDialog::DontConfirmOverwrite)};
        static_cast<QDialog*>(shown)->accept(); // QFileDialog::accept, as the Save button does
    });
    const std::optional<std::string> chosen = prompt.askSaveFile(request);
    QCOMPARE(seen.title, QStringLiteral("Save Tour"));
    QCOMPARE(seen.suffix, QStringLiteral("TXT"));
    QCOMPARE(seen.directory, QDir(folder.path()).canonicalPath());
    QCOMPARE(seen.filters, QStringList{QStringLiteral("Text File (*.TXT) (*.TXT *.txt)")});
    QVERIFY(!seen.asksOverwrite);
    QCOMPARE(chosen, std::optional<std::string>(place + "/Gr\xFCn.TXT"));

    whenModal<QFileDialog>([](QFileDialog* shown) { shown->reject(); });
    QVERIFY(!prompt.askSaveFile(request).has_value());
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"

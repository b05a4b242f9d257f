// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/frm_about.h"
#include "platform/file_test.h"
#include "platform/launcher.h"
#include "platform/registry.h"
#include "tests/support/fake_platform.h"
#include "tests/support/recording_message_boxes.h"
#include "tests/support/system_info_doubles.h"
#include "ui/interface_font.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace tallyra;
using test::ScriptedRegistry;

namespace {

const QString kUnavailable = QStringLiteral("此时系统信息不可用");
const QString kToolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kFolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString kToolQuery =
    QStringLiteral("80000002:SOFTWARE\\Microsoft\\Shared Tools\\MSINFO:PATH");
const QString kFolderQuery =
    QStringLiteral("80000002:SOFTWARE\\Microsoft\\Shared Tools Location:MSINFO");
constexpr int kMissing = -1; // a value type column: the value is not in the registry

// One About box on the offscreen platform with every platform service recorded.
struct AboutFixture {
    test::RecordingMessageBoxes messages;
    ScriptedRegistry registry;
    test::ScriptedFileTest files;
    test::RecordingLauncher launcher;
    QPointer<frmAbout> box;

    AboutFixture()
        : box(new frmAbout(AboutServices{&messages, &registry, &files, &launcher}))
    {
    }
    ~AboutFixture() { delete box.data(); }

    template <class T = QWidget> T* control(const QString& name) const
    {
        return box->findChild<T*>(name);
    }

    void showActive()
    {
        box->show();
        QApplication::setActiveWindow(box);
        QVERIFY(QTest::qWaitForWindowActive(box));
    }

    // Runs the deletion a closed box has scheduled for itself.
    void settleDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

void PutValue(ScriptedRegistry& registry, const QString& key, const QString& name, int type,
              const QString& text)
{
    if (type == kMissing)
        return;
    RegistryValue value = ScriptedRegistry::string(text);
    value.type = quint32(type);
    registry.set(kHkeyLocalMachine, key, name, value);
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ApplyInterfaceFont(); }

    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void loadWritesCaptionTitleAndVersion()
    {
        AboutFixture f;
        QCOMPARE(f.box->windowTitle(), QStringLiteral("关于 Tallyra"));
        QCOMPARE(f.control<QLabel>("lblTitle")->text(), QStringLiteral("Tallyra"));
        QCOMPARE(f.control<QLabel>("lblVersion")->text(), QStringLiteral("版本 2.0.16"));
    }

    void fixedTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("description") << "lblDescription" << "有关税率计算，工资计算！";
        QTest::newRow("OK") << "cmdOK" << "确定";
        QTest::newRow("System Info") << "cmdSysInfo" << "系统信息(&S)...";
        // clang-format on
    }
    void fixedTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        AboutFixture f;
        auto* label = f.control<QLabel>(name);
        auto* button = f.control<QPushButton>(name);
        QVERIFY(label || button);
        QCOMPARE(label ? label->text() : button->text(), text);
    }

    // The notice line names the project; no line gives a person's address.
    void noticeLinesNameTheProject()
    {
        AboutFixture f;
        QVERIFY(f.control<QLabel>("lblDisclaimer")->text().contains(QStringLiteral("Tallyra")));
        for (const char* name : {"lblDisclaimer", "Label1", "Label2"}) {
            const QString text = f.control<QLabel>(name)->text();
            QVERIFY2(!text.isEmpty(), name);
            QVERIFY2(!text.contains(QLatin1Char('@')), name);
        }
    }

    // Pixel rectangles: the twips of the layout divided by 15.
    void geometry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("picIcon") << "picIcon" << QRect(16, 16, 36, 36);
        QTest::newRow("lblTitle") << "lblTitle" << QRect(72, 16, 219, 17);
        QTest::newRow("lblVersion") << "lblVersion" << QRect(72, 36, 227, 17);
        QTest::newRow("lblDescription") << "lblDescription" << QRect(72, 56, 185, 17);
        QTest::newRow("Line1(1) grey") << "Line1(1)" << QRect(0, 104, 370, 1);
        QTest::newRow("Line1(0) white") << "Line1(0)" << QRect(16, 104, 369, 2);
        QTest::newRow("cmdOK") << "cmdOK" << QRect(224, 112, 105, 25);
        QTest::newRow("lblDisclaimer") << "lblDisclaimer" << QRect(9, 120, 242, 20);
        QTest::newRow("Label1") << "Label1" << QRect(8, 136, 209, 17);
        QTest::newRow("cmdSysInfo") << "cmdSysInfo" << QRect(224, 144, 105, 25);
        QTest::newRow("Label2") << "Label2" << QRect(8, 152, 209, 17);
    }
    void geometry()
    {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        AboutFixture f;
        QWidget* control = f.control(name);
        QVERIFY(control);
        QCOMPARE(control->parentWidget(), f.box.data());
        QCOMPARE(control->geometry(), rect);
    }

    // The grey line lies over the white one: grey on the upper pixel row, white below it.
    void separatorIsEtched()
    {
        AboutFixture f;
        f.box->show();
        const QImage image = f.box->grab().toImage();
        QCOMPARE(image.pixelColor(100, 104), QColor(128, 128, 128));
        QCOMPARE(image.pixelColor(100, 105), QColor(255, 255, 255));
        QCOMPARE(image.pixelColor(5, 104), QColor(128, 128, 128)); // left of the white line
        f.box->close();
        f.settleDeletes();
    }

    void fixedSizeDialogWithoutMinimizeOrMaximize()
    {
        AboutFixture f;
        QCOMPARE(f.box->minimumSize(), QSize(335, 171));
        QCOMPARE(f.box->maximumSize(), QSize(335, 171));
        const Qt::WindowFlags flags = f.box->windowFlags();
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!f.box->windowIcon().isNull());
        QVERIFY(!f.control<QLabel>("picIcon")->pixmap().isNull());
    }

    // Under a desktop theme with light text the three labels stay black.
    void blackLabels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("lblTitle") << "lblTitle";
        QTest::newRow("lblDescription") << "lblDescription";
        QTest::newRow("lblDisclaimer") << "lblDisclaimer";
    }
    void blackLabels()
    {
        QFETCH(QString, name);
        const QPalette original = QApplication::palette();
        QPalette light = original;
        light.setColor(QPalette::WindowText, Qt::white);
        QApplication::setPalette(light);
        AboutFixture f;
        const QColor colour = f.control<QLabel>(name)->palette().color(QPalette::WindowText);
        QApplication::setPalette(original);
        QCOMPARE(colour, QColor(Qt::black));
    }

    // At the interface font (9 pt CJK) every label's text fits its label and no button hides
    // any of it.
    void labelTextsFit()
    {
        if (!QFontInfo(QApplication::font()).family().contains(QStringLiteral("CJK")))
            QSKIP("no CJK font installed");
        AboutFixture f;
        const QList<QPushButton*> buttons = f.box->findChildren<QPushButton*>();
        for (QLabel* label : f.box->findChildren<QLabel*>()) {
            if (label->text().isEmpty())
                continue; // the picture
            const QFontMetrics metrics(label->font());
            const QString name = label->objectName();
            QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(), qPrintable(name));
            QVERIFY2(metrics.height() <= label->height(), qPrintable(name));
            const QRect text(label->pos(),
                             QSize(metrics.horizontalAdvance(label->text()), label->height()));
            for (QPushButton* button : buttons)
                QVERIFY2(!text.intersects(button->geometry()), qPrintable(name));
        }
    }

    // OK is focused first; Tab moves between the two buttons in the order OK, System Info.
    void tabOrder()
    {
        AboutFixture f;
        f.showActive();
        auto* ok = f.control<QPushButton>("cmdOK");
        auto* sysInfo = f.control<QPushButton>("cmdSysInfo");
        QCOMPARE(QApplication::focusWidget(), ok);
        QTest::keyClick(ok, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), sysInfo);
        QTest::keyClick(sysInfo, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ok);
        f.box->close();
        f.settleDeletes();
    }

    // OK, Enter and Esc all close the box and unload it; nothing else happens.
    void closing_data()
    {
        QTest::addColumn<int>("key"); // 0: click OK
        QTest::newRow("click OK") << 0;
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }
    void closing()
    {
        QFETCH(int, key);
        AboutFixture f;
        f.showActive();
        if (key == 0)
            QTest::mouseClick(f.control("cmdOK"), Qt::LeftButton);
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(!f.box.isNull() && !f.box->isVisible());
        f.settleDeletes();
        QVERIFY(f.box.isNull());
        QCOMPARE(f.messages.shown, QStringList());
        QCOMPARE(f.launcher.started, QStringList());
    }

    // The button and its access key both look the tool up afresh and start it.
    void sysInfoButtonAndAccessKey()
    {
        AboutFixture f;
        const QString tool = QStringLiteral("C:\\Tools\\msinfo32.exe");
        f.registry.set(kHkeyLocalMachine, kToolKey, QStringLiteral("PATH"),
                       ScriptedRegistry::string(tool));
        f.showActive();
        QTest::mouseClick(f.control("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(f.launcher.started, QStringList{tool});
        QCOMPARE(f.launcher.windows, QList<FirstWindow>{FirstWindow::Normal});
        // An access key presses the button with a short animation: the click follows later.
        QTest::keyClick(f.box, Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(f.launcher.started, (QStringList{tool, tool}));
        QCOMPARE(f.registry.queries, (QStringList{kToolQuery, kToolQuery}));
        QVERIFY(f.box->isVisible());
        f.box->close();
        f.settleDeletes();
    }

    void startSysInfo_data()
    {
        QTest::addColumn<int>("pathType");
        QTest::addColumn<QString>("pathText");
        QTest::addColumn<int>("folderType");
        QTest::addColumn<QString>("folderText");
        QTest::addColumn<QStringList>("plainFiles");
        QTest::addColumn<bool>("launchWorks");
        QTest::addColumn<QStringList>("queries");
        QTest::addColumn<QStringList>("fileTests");
        QTest::addColumn<QStringList>("started");
        QTest::addColumn<QStringList>("shown");

        const QString tool = QStringLiteral(
            "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe");
        const QString folder =
            QStringLiteral("C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo");
        const QString inFolder = folder + QStringLiteral("\\MSINFO32.EXE");
        const QStringList none;
        const QStringList both{kToolQuery, kFolderQuery};
        const int sz = int(kRegSz);

        QTest::newRow("PATH used as stored, no file test")
            << sz << tool << kMissing << "" << none << true << QStringList{kToolQuery} << none
            << QStringList{tool} << none;
        QTest::newRow("PATH wins over the folder")
            << sz << tool << sz << folder << QStringList{inFolder} << true
            << QStringList{kToolQuery} << none << QStringList{tool} << none;
        QTest::newRow("PATH names no program")
            << sz << "C:\\nowhere.exe" << kMissing << "" << none << false << QStringList{kToolQuery}
            << none << QStringList{"C:\\nowhere.exe"} << QStringList{kUnavailable};
        QTest::newRow("folder holds the tool")
            << kMissing << "" << sz << folder << QStringList{inFolder} << true << both
            << QStringList{inFolder} << QStringList{inFolder} << none;
        QTest::newRow("folder with trailing separator")
            << kMissing << "" << sz << "C:\\MSInfo\\" << QStringList{"C:\\MSInfo\\\\MSINFO32.EXE"}
            << true << both << QStringList{"C:\\MSInfo\\\\MSINFO32.EXE"}
            << QStringList{"C:\\MSInfo\\\\MSINFO32.EXE"} << none;
        QTest::newRow("folder without the tool")
            << kMissing << "" << sz << folder << none << true << both << QStringList{inFolder}
            << none << QStringList{kUnavailable};
        QTest::newRow("tool in folder does not start")
            << kMissing << "" << sz << folder << QStringList{inFolder} << false << both
            << QStringList{inFolder} << QStringList{inFolder} << QStringList{kUnavailable};
        QTest::newRow("nothing found") << kMissing << "" << kMissing << "" << none << true << both
                                       << none << none << QStringList{kUnavailable};
        // A binary PATH counts as found and leaves the path empty; an empty command line
        // starts nothing (see emptyCommandLineDoesNotStart).
        QTest::newRow("PATH of another type")
            << 3 << "binary" << sz << folder << QStringList{inFolder} << false
            << QStringList{kToolQuery} << none << QStringList{""} << QStringList{kUnavailable};
    }
    void startSysInfo()
    {
        QFETCH(int, pathType);
        QFETCH(QString, pathText);
        QFETCH(int, folderType);
        QFETCH(QString, folderText);
        QFETCH(QStringList, plainFiles);
        QFETCH(bool, launchWorks);
        QFETCH(QStringList, queries);
        QFETCH(QStringList, fileTests);
        QFETCH(QStringList, started);
        QFETCH(QStringList, shown);
        AboutFixture f;
        PutValue(f.registry, kToolKey, QStringLiteral("PATH"), pathType, pathText);
        PutValue(f.registry, kFolderKey, QStringLiteral("MSINFO"), folderType, folderText);
        f.files.plainFiles = plainFiles;
        f.launcher.succeed = launchWorks;

        f.box->StartSysInfo();

        QCOMPARE(f.registry.queries, queries);
        QCOMPARE(f.files.asked, fileTests);
        QCOMPARE(f.launcher.started, started); // the path alone: no arguments
        QCOMPARE(f.messages.shown, shown);
        QVERIFY(!f.box.isNull()); // the box stays open either way
    }

    void emptyCommandLineDoesNotStart()
    {
        QVERIFY(!QtLauncher().startDetached(QString(), {}, FirstWindow::Normal));
    }

    void getKeyValue_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<uint>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("text"); // the text after the call; it held "before"

        const auto utf16 = ScriptedRegistry::utf16Bytes;
        const QString path = QStringLiteral("C:\\Program Files\\MSInfo");
        QTest::newRow("string with terminating zero")
            << true << uint(kRegSz) << utf16(path, true) << true << path;
        QTest::newRow("string without terminating zero")
            << true << uint(kRegSz) << utf16(path, false) << true << path;
        QTest::newRow("Chinese string")
            << true << uint(kRegSz) << utf16(QStringLiteral("D:\\系统工具"), true) << true
            << QStringLiteral("D:\\系统工具");
        QTest::newRow("empty string")
            << true << uint(kRegSz) << utf16(QString(), true) << true << QString();
        QTest::newRow("only the last zero dropped")
            << true << uint(kRegSz) << utf16(QStringLiteral("ab"), true) + QByteArray(2, '\0')
            << true << QStringLiteral("ab") + QChar(u'\0');
        QTest::newRow("number") << true << uint(kRegDword) << ScriptedRegistry::dword(16).data
                                << true << QStringLiteral("16");
        QTest::newRow("number ending in a zero byte")
            << true << uint(kRegDword) << ScriptedRegistry::dword(0x100).data << true
            << QStringLiteral("256");
        QTest::newRow("largest number")
            << true << uint(kRegDword) << ScriptedRegistry::dword(0xFFFFFFFF).data << true
            << QStringLiteral("4294967295");
        QTest::newRow("binary keeps the text")
            << true << 3u << QByteArray("\x01\x02", 2) << true << QStringLiteral("before");
        QTest::newRow("expandable string keeps the text")
            << true << 2u << utf16(path, true) << true << QStringLiteral("before");
        QTest::newRow("1024 bytes fit")
            << true << uint(kRegSz) << utf16(QString(512, QLatin1Char('a')), false) << true
            << QString(512, QLatin1Char('a'));
        QTest::newRow("longer than 1024 bytes")
            << true << uint(kRegSz) << utf16(QString(512, QLatin1Char('a')), true) << false
            << QString();
        QTest::newRow("missing") << false << uint(kRegSz) << QByteArray() << false << QString();
    }
    void getKeyValue()
    {
        QFETCH(bool, present);
        QFETCH(uint, type);
        QFETCH(QByteArray, data);
        QFETCH(bool, found);
        QFETCH(QString, text);
        AboutFixture f;
        const QString key = QStringLiteral("SOFTWARE\\Tallyra\\Test");
        if (present)
            f.registry.set(kHkeyLocalMachine, key, QStringLiteral("V"), RegistryValue{type, data});
        QString result = QStringLiteral("before");
        QCOMPARE(f.box->GetKeyValue(kHkeyLocalMachine, key, QStringLiteral("V"), result), found);
        QCOMPARE(result, text);
    }

#ifndef Q_OS_WIN
    // Without the Windows registry every lookup finds nothing, so the box reports the tool
    // unavailable.
    void noRegistryOffWindows()
    {
        SystemRegistry registry;
        QVERIFY(!registry.query(kHkeyLocalMachine, kToolKey, QStringLiteral("PATH")));
        test::RecordingMessageBoxes messages;
        test::ScriptedFileTest files;
        test::RecordingLauncher launcher;
        frmAbout box(AboutServices{&messages, &registry, &files, &launcher});
        box.StartSysInfo();
        QCOMPARE(messages.shown, QStringList{kUnavailable});
        QCOMPARE(launcher.started, QStringList());
    }
#endif

    void plainFile_data()
    {
        QTest::addColumn<QString>("entry"); // relative to a fresh folder
        QTest::addColumn<bool>("plain");
        QTest::newRow("file") << "MSINFO32.EXE" << true;
        QTest::newRow("folder") << "sub" << false;
        QTest::newRow("missing") << "absent.exe" << false;
#ifndef Q_OS_WIN
        QTest::newRow("link to a file") << "file-link" << true;
        QTest::newRow("link to a folder") << "folder-link" << false;
        QTest::newRow("hidden file") << ".hidden" << false;
#endif
    }
    void plainFile()
    {
        QFETCH(QString, entry);
        QFETCH(bool, plain);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const char* name : {"MSINFO32.EXE", ".hidden"}) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
#ifndef Q_OS_WIN
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("MSINFO32.EXE")),
                            dir.filePath(QStringLiteral("file-link"))));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("sub")),
                            dir.filePath(QStringLiteral("folder-link"))));
#endif
        QCOMPARE(QtFileTest().isPlainFile(dir.filePath(entry)), plain);
    }

    void emptyPathIsNoFile()
    {
        QVERIFY(!QtFileTest().isPlainFile(QString()));
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"

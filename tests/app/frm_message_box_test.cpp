// The program's message boxes: title "Korvane", the text, an OK button only, no icon, modal.
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "app/qt_message_box.hpp"
#include "app/window_test_support.hpp"

using namespace korvane;

class FrmMessageBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void showsOneTextWithOkOnlyAndNoIcon() {
        struct Seen {
            bool found = false;
            QString title, text;
            QMessageBox::Icon icon = QMessageBox::Information;
            QMessageBox::StandardButtons buttons;
            bool modal = false;
        } seen;
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [&seen, poll] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                return;
            }
            seen = {true,        box->windowTitle(),     box->text(),
                    box->icon(), box->standardButtons(), box->isModal()};
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
            poll->deleteLater();
        });
        poll->start(20);

        QtMessageBox messages;
        messages.Show("Gripwerte erfolgreich modifiziert\r\nC:\\F1 2002\\season02");
        QVERIFY(seen.found);
        QCOMPARE(seen.title, QStringLiteral("Korvane"));
        QCOMPARE(seen.text,
                 QStringLiteral("Gripwerte erfolgreich modifiziert\r\nC:\\F1 2002\\season02"));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(seen.modal);
    }
};

QTEST_MAIN(FrmMessageBoxTest)
#include "frm_message_box_test.moc"

#include <functional>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/app_state.hpp"
#include "info/frm_history.hpp"
#include "info/frm_info_menu.hpp"

using namespace korvane;

namespace {

QRect Twips(int left, int top, int width, int height) {
    return {qRound(left / 15.0), qRound(top / 15.0), qRound(width / 15.0), qRound(height / 15.0)};
}

FrmHistory* OpenHistory() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* history = qobject_cast<FrmHistory*>(window); history && history->isVisible()) {
            return history;
        }
    }
    return nullptr;
}

struct Seen {
    bool open = false;
    QString title;
    QString text;
    int blocks = 0;
};

// Runs ShowHistory; while it waits, close() ends the open window one way or another.
Seen RunShowHistory(const std::string& language, const std::function<void(FrmHistory*)>& close) {
    Seen seen;
    QTimer::singleShot(0, [&] {
        FrmHistory* history = OpenHistory();
        if (!history) {
            return;
        }
        seen.open = true;
        seen.title = history->windowTitle();
        auto* box = history->findChild<QPlainTextEdit*>("TxtHistory");
        seen.text = box->toPlainText();
        seen.blocks = box->document()->blockCount();
        close(history);
        if ((history = OpenHistory())) {
            history->reject();
        }
    });
    AppState state;
    state.languageCode = language;
    ShowHistory(nullptr, state);
    return seen;
}

void ClickOk(FrmHistory* history) {
    QTest::mouseClick(history->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
}

} // namespace

class FrmHistoryTest : public QObject {
    Q_OBJECT

  private slots:
    void germanHistory() {
        const Seen seen = RunShowHistory("de", ClickOk);
        QVERIFY(seen.open);
        QCOMPARE(seen.title, QString("Korvane"));
        QVERIFY(seen.text.startsWith("26.07.03 - 0.6.0 : Support für F1 Challenge 99-02"));
        QVERIFY(seen.text.endsWith("Unveröffentlichte Testversionen\""));
        // Ten entries, one empty line between each two.
        QCOMPARE(seen.blocks, 19);
        QCOMPARE(seen.text.split("\n\n").size(), 10);
        QVERIFY(!seen.text.contains("\n\n\n"));
        QVERIFY(!seen.text.contains('\r'));
    }

    void englishHistory() {
        const Seen seen = RunShowHistory("uk", ClickOk);
        QVERIFY(seen.open);
        QCOMPARE(seen.title, QString("Korvane"));
        QVERIFY(seen.text.startsWith("26.07.03 - 0.6.0 : Added support for F1 Challenge 99-02"));
        QVERIFY(seen.text.endsWith("xx.xx.02 - < 0.1.0 : Non public beta versions"));
        QCOMPARE(seen.blocks, 19);
    }

    void otherLanguagesShowAnEmptyBox() {
        for (const char* language : {"unknown", "", "DE", "en"}) {
            const Seen seen = RunShowHistory(language, ClickOk);
            QVERIFY(seen.open);
            QCOMPARE(seen.text, QString());
            QCOMPARE(seen.title, QString("Korvane"));
        }
    }

    void eachOpeningBuildsTheTextAnew() {
        const Seen german = RunShowHistory("de", ClickOk);
        const Seen english = RunShowHistory("uk", ClickOk);
        const Seen again = RunShowHistory("de", ClickOk);
        QVERIFY(german.text != english.text);
        QCOMPARE(again.text, german.text);
        QVERIFY(!OpenHistory());
    }

    void closesByOkEnterAndEscape() {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            bool closed = false;
            const Seen seen = RunShowHistory("uk", [&](FrmHistory* history) {
                QTest::keyClick(history->findChild<QPlainTextEdit*>("TxtHistory"), key);
                closed = !history->isVisible();
            });
            QVERIFY(seen.open);
            QVERIFY2(closed, key == Qt::Key_Return ? "Enter" : "Escape");
        }
    }

    void layoutFollowsTheTwipTable() {
        FrmHistory history(nullptr);
        QCOMPARE(history.size(), Twips(0, 0, 6510, 5355).size());
        auto* box = history.findChild<QPlainTextEdit*>("TxtHistory");
        auto* ok = history.findChild<QPushButton*>("cmdOK");
        QCOMPARE(box->geometry(), Twips(180, 135, 6150, 4635));
        QCOMPARE(ok->geometry(), Twips(2522, 4905, 1467, 345));
        QCOMPARE(ok->text(), QString("OK"));
        QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QWidget* next = box->nextInFocusChain();
        while (next != ok && !(next->focusPolicy() & Qt::TabFocus)) {
            next = next->nextInFocusChain();
        }
        QCOMPARE(next, ok);
    }
};

QTEST_MAIN(FrmHistoryTest)
#include "frm_history_test.moc"

// Characters typed into an EntryLine, which inserts them itself, leave
// everything as the same keys typed into a plain QLineEdit: text, caret,
// selection, signals, undo, and the field as painted with its caret.
#include "widgets/entry_line.h"

#include <QStyleHints>
#include <QtTest>

namespace {

struct Key {
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    bool afterBlink = false; // pressed while the caret is off
};

// A field in a window of its own, focused, with what it reports recorded.
struct Field {
    explicit Field(QLineEdit *edit) : edit(edit)
    {
        edit->setParent(&window);
        edit->setGeometry(4, 4, 200, 26);
        window.resize(208, 34);
        window.show();
        window.activateWindow();
        edit->setFocus();
        QObject::connect(edit, &QLineEdit::textEdited, [this](const QString &t) { log << "edited " + t; });
        QObject::connect(edit, &QLineEdit::textChanged, [this](const QString &t) { log << "changed " + t; });
        QObject::connect(edit, &QLineEdit::cursorPositionChanged,
                         [this](int from, int to) { log << QStringLiteral("caret %1>%2").arg(from).arg(to); });
        QObject::connect(edit, &QLineEdit::selectionChanged, [this] { log << "selection " + this->edit->selectedText(); });
    }
    void press(const Key &k)
    {
        if (k.afterBlink)
            QTest::qWait(QGuiApplication::styleHints()->cursorFlashTime() / 2 + 100);
        QKeyEvent press(QEvent::KeyPress, k.key, k.modifiers, k.text);
        QCoreApplication::sendEvent(edit, &press);
        log << QStringLiteral("state %1|%2|%3|%4|%5")
                   .arg(edit->text())
                   .arg(edit->cursorPosition())
                   .arg(edit->selectedText())
                   .arg(edit->isUndoAvailable())
                   .arg(edit->isModified());
        // Released later, as a key is: the press alone restarts the caret.
        QTest::qWait(1);
        shown = edit->grab().toImage();
        QKeyEvent release(QEvent::KeyRelease, k.key, k.modifiers, k.text);
        QCoreApplication::sendEvent(edit, &release);
    }
    QWidget window;
    QLineEdit *edit;
    QStringList log;
    QImage shown;
};

QList<Key> typed(const QString &text)
{
    QList<Key> keys;
    for (QChar ch : text)
        keys.append({ch.isLetter() ? Qt::Key(ch.toUpper().unicode()) : Qt::Key(ch.unicode()), QString(ch),
                     ch.isUpper() ? Qt::ShiftModifier : Qt::NoModifier});
    return keys;
}

}

class TestEntryLine : public QObject {
    Q_OBJECT
private slots:
    void typesAsQLineEdit_data();
    void typesAsQLineEdit();
};

void TestEntryLine::typesAsQLineEdit_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("selectFrom");
    QTest::addColumn<int>("selectLength");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QList<Key>>("keys");
    const Key undo{Qt::Key_Z, QString(QChar(26)), Qt::ControlModifier};
    const Key left{Qt::Key_Left, QString()};
    QTest::newRow("a code") << QString() << 0 << 0 << 32767 << typed(QStringLiteral("62813100018"));
    QTest::newRow("capitals and spaces, undone")
        << QString() << 0 << 0 << 32767 << typed(QStringLiteral("Green Tea 2")) + QList<Key>{undo};
    QTest::newRow("over a selection") << QStringLiteral("abcdef") << 1 << 3 << 32767 << typed(QStringLiteral("xy"));
    QTest::newRow("in the middle") << QStringLiteral("abef") << 4 << 0 << 32767
                                   << QList<Key>{left, left} + typed(QStringLiteral("cd")) + QList<Key>{undo};
    QTest::newRow("past the length") << QStringLiteral("1234") << 4 << 0 << 5 << typed(QStringLiteral("567"));
    QTest::newRow("keypad and accents")
        << QString() << 0 << 0 << 32767
        << QList<Key>{{Qt::Key_5, QStringLiteral("5"), Qt::KeypadModifier}, {Qt::Key_Eacute, QStringLiteral("é")},
                      {Qt::Key(0), QStringLiteral("ç")},
                      {Qt::Key_Space, QStringLiteral(" "), Qt::NoModifier, true}};
}

void TestEntryLine::typesAsQLineEdit()
{
    QFETCH(QString, before);
    QFETCH(int, selectFrom);
    QFETCH(int, selectLength);
    QFETCH(int, maxLength);
    QFETCH(QList<Key>, keys);
    auto typeInto = [&](QLineEdit *edit) {
        auto field = std::make_unique<Field>(edit);
        edit->setMaxLength(maxLength);
        edit->setText(before);
        edit->setSelection(selectFrom, selectLength);
        field->log.clear();
        for (const Key &k : keys)
            field->press(k);
        return field;
    };
    const auto plain = typeInto(new QLineEdit);
    const auto entry = typeInto(new EntryLine);
    QCOMPARE(entry->log, plain->log);
    QVERIFY(entry->edit->hasFocus());
    QCOMPARE(entry->shown, plain->shown); // the caret showing at its new place
}

QTEST_MAIN(TestEntryLine)
#include "test_entry_line.moc"

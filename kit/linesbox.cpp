#include "kit/linesbox.h"

#include "core/texts.h"
#include "kit/qtconvert.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>

namespace {

// A text field that takes no paste or drop that would make it longer than the programs read.
class PastedLines : public QPlainTextEdit
{
public:
    explicit PastedLines(std::function<void()> refused) : m_refused(std::move(refused)) {}

protected:
    void insertFromMimeData(const QMimeData *source) override
    {
        const qsizetype kept = document()->characterCount() - 1 - textCursor().selectedText().size();
        if (source->hasText() && kept + source->text().size() > pastedCharactersMost) {
            m_refused();
            return;
        }
        QPlainTextEdit::insertFromMimeData(source);
    }

private:
    std::function<void()> m_refused;
};

} // namespace

LinesBox::LinesBox(const QString &prompt, const QString &title, const QString &text, int shownLine, QWidget *parent)
    : QDialog(parent)
    , m_prompt(new QLabel(prompt))
    , m_lines(new PastedLines([this, prompt] { m_prompt->setText(qtText(::text(Text::tooMuchPasted)) + QStringLiteral("\n\n") + prompt); }))
{
    setWindowTitle(title);
    if (parent) // as large as the window it asks for
        setFont(parent->font());
    m_prompt->setTextFormat(Qt::PlainText);
    m_prompt->setWordWrap(true);
    m_lines->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_lines->setPlainText(text);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_lines);
    layout->addWidget(buttons);
    // Room for a class's list, or a table as copied.
    resize(fontMetrics().averageCharWidth() * 80, fontMetrics().height() * 24);
    // What was given before comes back to be mended, not selected to be typed over: the line to mend selected,
    // in view once the box has its size.
    m_lines->setFocus();
    m_lines->moveCursor(QTextCursor::End);
    if (shownLine > 0) {
        // From its end back to its start, where the cursor stands: a long line shows from its beginning.
        QTextCursor line(m_lines->document()->findBlockByNumber(shownLine - 1));
        line.movePosition(QTextCursor::EndOfBlock);
        line.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
        m_lines->setTextCursor(line);
    }
    QTimer::singleShot(0, m_lines, [lines = m_lines] { lines->centerCursor(); });
}

QString LinesBox::text() const
{
    return m_lines->toPlainText();
}

#include "textedit.h"

#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QToolBar>
#include <QVBoxLayout>

TextEdit::TextEdit(QWidget *parent)
    : QWidget(parent)
    , font("Microsoft Yahei", 3)
{
    textArea = new QPlainTextEdit(this);
    textArea->setTabChangesFocus(true);
    // Real content rather than a placeholder text: it shows the user which
    // placeholders exist, and a new item keeps it unless edited.
    textArea->setPlainText(tr("The content in {} will be replaced. %1 %2")
                               .arg(QStringLiteral("{%date%}"), QStringLiteral("{%serial%}")));

    toolBar = new QToolBar(tr("Font"), this);
    toolBar->addWidget(new QLabel(tr("Font:"), toolBar));
    fontComboBox = new QFontComboBox(toolBar);
    fontComboBox->setCurrentFont(font);
    toolBar->addWidget(fontComboBox);
    toolBar->addWidget(new QLabel(tr("Size:"), toolBar));
    fontSizeSpinBox = new QDoubleSpinBox(toolBar);
    fontSizeSpinBox->setDecimals(1);
    fontSizeSpinBox->setSingleStep(0.1);
    fontSizeSpinBox->setRange(1.0, 280.0);
    fontSizeSpinBox->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    fontSizeSpinBox->setValue(font.pointSizeF());
    toolBar->addWidget(fontSizeSpinBox);

    QFrame *frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    QHBoxLayout *frameLayout = new QHBoxLayout(frame);
    frameLayout->setContentsMargins(2, 2, 2, 2);
    frameLayout->addWidget(toolBar);

    QVBoxLayout *layout = new QVBoxLayout(this);
    layout->setSpacing(3);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame);
    layout->addWidget(textArea);

    // Connected only now, so that setting up the choosers and the hint text
    // leaves the text font alone.
    connect(fontComboBox, SIGNAL(currentFontChanged(QFont)), this, SLOT(setFontFamily(QFont)));
    connect(fontSizeSpinBox, SIGNAL(valueChanged(double)), this, SLOT(setFontPointSize(double)));
    connect(textArea, SIGNAL(textChanged()), this, SIGNAL(textChanged()));

    textArea->setFocus(Qt::OtherFocusReason);
}

QString TextEdit::toPlainText() const
{
    return textArea->toPlainText();
}

void TextEdit::setPlainText(const QString &text)
{
    textArea->setPlainText(text);
}

void TextEdit::setTextFont(const QFont &font)
{
    if (font == this->font)
        return;
    this->font = font;
    {
        // The chooser shows a stand-in for a family that is not installed;
        // the item keeps its own family unless the user picks another.
        const QSignalBlocker blocker(fontComboBox);
        fontComboBox->setCurrentFont(font);
    }
    fontSizeSpinBox->setValue(font.pointSizeF());
}

void TextEdit::setFontPointSize(double points)
{
    font.setPointSizeF(points);
}

void TextEdit::setFontFamily(const QFont &font)
{
    this->font.setFamily(font.family());
}

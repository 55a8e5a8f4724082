#ifndef TEXTEDIT_H
#define TEXTEDIT_H

#include <QFont>
#include <QPointer>
#include <QWidget>

class QDoubleSpinBox;
class QFontComboBox;
class QPlainTextEdit;
class QToolBar;

// A plain-text area under a font tool bar. The chosen font is kept for the
// text item and never applied to the text area itself.
class TextEdit : public QWidget
{
    Q_OBJECT

public:
    explicit TextEdit(QWidget *parent = nullptr);

    QString toPlainText() const;
    void setPlainText(const QString &text);
    QFont textFont() const { return font; }
    void setTextFont(const QFont &font);

signals:
    void textChanged();

private slots:
    void setFontPointSize(double points);
    void setFontFamily(const QFont &font);

private:
    QToolBar *toolBar;
    QFontComboBox *fontComboBox;
    QDoubleSpinBox *fontSizeSpinBox;
    QPointer<QPlainTextEdit> textArea;
    QFont font;
};

#endif // TEXTEDIT_H

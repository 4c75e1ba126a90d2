#include "common/ui/clsSystemUI.h"

#include "common/PromptService.h"
#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "common/ui/PrintSurface.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QSaveFile>
#include <QTableView>
#include <QTreeView>

#include <cmath>

namespace {

constexpr int kListTextWidth = 80;

// The number at the start of `text` with "." as the decimal point; blanks
// anywhere in it are passed over, and reading stops at the first character
// that cannot continue the number.
double leadingNumber(const QString& text)
{
    QByteArray digits;
    bool point = false;
    bool exponent = false;
    for (const QChar c : text) {
        if (c == u' ' || c == u'\t' || c == u'\r' || c == u'\n')
            continue;
        const char ch = char(c.unicode() < 128 ? c.unicode() : 0);
        const bool signAllowed = digits.isEmpty() || digits.endsWith('E');
        if ((ch == '+' || ch == '-') && signAllowed)
            digits.append(ch);
        else if (ch >= '0' && ch <= '9')
            digits.append(ch);
        else if (ch == '.' && !point && !exponent)
            point = true, digits.append(ch);
        else if ((ch == 'E' || ch == 'e' || ch == 'D' || ch == 'd') && !exponent && !digits.isEmpty())
            exponent = true, digits.append('E');
        else
            break;
    }
    bool ok = false;
    const double value = digits.toDouble(&ok);
    return ok ? value : std::strtod(digits.constData(), nullptr);
}

// One cell as a field of a comma-separated line.
QString csvField(QString cell)
{
    const QString upper = cell.toUpper();
    if (upper == QLatin1String("TRUE"))
        cell = QStringLiteral("Yes");
    else if (upper == QLatin1String("FALSE"))
        cell = QStringLiteral("No");
    const QString noCommas = Sys().RemoveChar(cell, QStringLiteral(","));
    if (Sys().isNumeric(noCommas)) {
        QLocale locale;
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        return locale.toString(leadingNumber(Sys().NumCleanStr(noCommas)), 'G', 15);
    }
    return Sys().QuoteStr(Sys().StrReplaceChar(cell, u'"', QStringLiteral("\"\""), true));
}

// Row 0 is the heading row; row r > 0 is the model's row r - 1. A column
// with a display format gives its shown text, any other its stored text.
QString gridCell(const QAbstractItemModel* model, int row, int column)
{
    if (row == 0)
        return model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    const bool formatted =
        !model->headerData(column, Qt::Horizontal, clsSystemUI::kColumnFormatRole).toString().isEmpty();
    return model->index(row - 1, column).data(formatted ? Qt::DisplayRole : Qt::EditRole).toString();
}

void offerToOpen(const QString& fileName)
{
    const MsgAnswer answer =
        MsgBox(fileName + QStringLiteral(" has been saved. Would you like to open this file now?"),
               MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::DefaultButton3);
    if (answer == MsgAnswer::Yes)
        Sys().LaunchFile(fileName);
}

} // namespace

void clsSystemUI::SaveGrid(QTableView* grid, int firstRow, int firstColumn, int lastRow, int lastColumn) const
{
    QString fileName;
    if (!Sys().GetFilename(fileName, QStringLiteral("MS Excel Comma Delimited File (*.csv)|*.csv"), 2623494,
                           QStringLiteral("Save As..."), true))
        return;
    QCoreApplication::processEvents();
    Sys().WaitStart();
    if (!Sys().DeleteFile(fileName, false)) {
        Sys().WaitEnd();
        MsgBox(QStringLiteral("Unable to write to : ") + fileName
                   + QStringLiteral(". This file may already be open by another application."),
               MsgStyle::Exclamation);
        return;
    }
    // Written whole or not at all: the lines go to a temporary file that
    // takes the name only once the last one is in.
    const QAbstractItemModel* model = grid->model();
    const int rowCount = model->rowCount() + 1;
    const int columnCount = model->columnCount();
    QSaveFile file(fileName);
    bool ok = file.open(QIODevice::WriteOnly);
    for (int row = firstRow; ok && row <= lastRow; ++row) {
        QString line;
        for (int column = firstColumn; column <= lastColumn; ++column) {
            if (column >= columnCount || row >= rowCount)
                continue;
            line += csvField(gridCell(model, row, column));
            if (column != lastColumn)
                line += u',';
        }
        line += Sys().CRLF();
        const std::string bytes = toWin1252(line);
        ok = file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
    }
    ok = ok && file.commit();
    Sys().WaitEnd();
    if (!ok) {
        file.cancelWriting();
        Sys().ShowError(QStringLiteral("clsSystem_SaveGrid"), RunError::deviceIO());
        return;
    }
    offerToOpen(fileName);
}

void clsSystemUI::SaveGrid(QTableView* grid) const
{
    SaveGrid(grid, 0, 0, grid->model()->rowCount(), grid->model()->columnCount() - 1);
}

QString clsSystemUI::LVContent(QTreeView* lv) const
{
    Sys().WaitStart();
    const QAbstractItemModel* model = lv->model();
    const QModelIndex root = lv->rootIndex();
    const int columns = model->columnCount(root);
    double total = 0;
    for (int c = 0; c < columns; ++c)
        total = std::nearbyint(total + lv->header()->sectionSize(c));
    QList<int> widths;
    for (int c = 0; c < columns; ++c)
        widths.append(total > 0 ? int(std::nearbyint(lv->header()->sectionSize(c) / total * kListTextWidth)) : 0);

    QString text;
    for (int c = 0; c < columns; ++c)
        text += Sys().PadOrTruncate(model->headerData(c, Qt::Horizontal).toString(), widths.at(c));
    text += Sys().CRLF() + QString(kListTextWidth, u'-') + Sys().CRLF();
    const int rows = model->rowCount(root);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c)
            text += Sys().PadOrTruncate(model->index(r, c, root).data().toString(), widths.at(c));
        text += Sys().CRLF();
    }
    Sys().WaitEnd();
    return text;
}

QString clsSystemUI::TrimTextToFit(const PrintSurface& surface, const QString& text, int maxWidth) const
{
    if (text.isEmpty() || surface.textWidth(text) < maxWidth)
        return text;
    QString left = text;
    while (!left.isEmpty() && surface.textWidth(left) >= maxWidth)
        left.chop(1);
    return left.left(std::max<qsizetype>(0, left.size() - 4)) + QStringLiteral("..");
}

#pragma once

#include "common/RunError.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

// The shared utility object: one instance for the whole run, made on first
// use. Members keep their given names so that callers read alike everywhere.
// Members that need windows live in common/ui; this object links Qt Core only.
class clsSystem {
public:
    static clsSystem& instance();

    // --- Text and value conversions -------------------------------------
    // "Blanks" below are spaces only (tabs and line breaks are kept), as the
    // stored texts expect. Character codes are Windows-1252 codes, 0 to 255.
    // Widths and counts that were 16-bit in the stored program are plain ints
    // here: texts and values beyond 32,767 work instead of failing.

    // count times CR LF / LF / CR; "" for a count below 1.
    QString CRLF(int count = 1) const;
    QString LF(int count = 1) const;
    QString CR(int count = 1) const;
    QString DoubleQuote() const;
    // The text between apostrophes (`apostrophes`) or double quotes; inner
    // quotes are left as they are.
    QString QuoteStr(const QString& text, bool apostrophes = false) const;
    QString RemoveChar(const QString& text, const QString& ch) const;
    // The text less its last character when that equals `ch` or `ch` is "".
    QString RemoveLastChar(const QString& text, const QString& ch) const;
    // The text between a leading and a trailing double quote, when both exist.
    QString RemoveSurroundingQuote(const QString& text) const;
    // The text before the first `ch`, the whole text when `ch` does not occur
    // or is "". `ch` is cut to its first character (the caller's too).
    QString StrGetTextTilChar(const QString& text, QString& ch) const;
    // Every CR and every LF becomes two blanks.
    QString RemoveCRLF(const QString& text) const;
    // A text longer than `maxLen` is cut to it and "..." appended.
    QString StrTruncate(const QString& text, int maxLen) const;

    // A text shorter than `width` is padded with the first character of
    // `pad` (blank when `pad` is ""): after it for side 2, before it for any
    // other side. A longer text is cut to `width` (a negative width is 0).
    QString PadChar(const QString& text, int width, const QString& pad, int side) const;
    QString PadZeros(const QString& text, int width, int side) const;
    QString PadSpaces(const QString& text, int width, int side) const;

    // True when every character is 0-9 / A-Z a-z / either; True for "".
    bool StrDigitsOnly(const QString& text) const;
    bool StrAlphaOnly(const QString& text) const;
    bool StrAlphaDigitOnly(const QString& text) const;
    // How many characters equal `ch` (a `ch` not one character long: 0).
    qint32 CharCountInStr(const QString& text, const QString& ch) const;
    // False for two or more "@", a trailing "@", or any blank; else True
    // ("" and texts without "@" included; callers leave empty ones out).
    bool EmailAddressIsValid(const QString& text) const;

    // "Last, First" / "First Last"; one part alone when the other is "".
    QString MakeFullName(const QString& first, const QString& last) const;
    QString MakeFullNameNoComma(const QString& first, const QString& last) const;

    // One comma-separated field: trimmed; `""` gives ""; a field quoted at
    // both ends (longer than two) loses those quotes and "" becomes ".
    QString CSVField_GetValue(const QString& field) const;
    // Replaces `ch` by `replacement`, outside double quotes only unless
    // `insideQuotes`. A double quote toggles the state before it is looked at.
    QString StrReplaceChar(const QString& text, QChar ch, const QString& replacement,
                           bool insideQuotes) const;
    // Splits `text` at `delimiter` into `pieces`: element 0 is an unused ""
    // and the pieces stand at 1..n, so pieces.size() - 1 is the count. Each
    // piece is trimmed of blanks (and upper-cased when `upperCase`). A text
    // ending with the delimiter gets one more, empty, piece; "" gives one
    // empty piece.
    void StrParse2Array(const QString& text, QStringList& pieces, QChar delimiter,
                        bool upperCase) const;
    // Looks through elements 1.. for `text`; on a hit sets `pos` to its index
    // and returns True, else returns False leaving `pos` alone.
    bool StrExistsInArray(const QString& text, const QStringList& array, int& pos) const;

    // Stored password form: each character's Windows-1252 code as two
    // upper-case hex digits ("abc" -> "616263"). The inverse reads two digits
    // at a time (a last single digit alone) and skips pieces that are not hex.
    QString StringToHexStr(const QString& text) const;
    QString HexStrToString(const QString& hex) const;

    // Clamps.
    int NotBelowZeroInt(int value) const;
    qint32 NotBelowZeroLong(qint32 value) const;
    qint32 NotBelowMinVal(qint32 value, qint32 minimum) const;
    qint32 NotAboveMaxVal(qint32 value, qint32 maximum) const;
    qint32 Minus1ToZero(qint32 value) const;
    // "" for a text that is 0 or not numeric; otherwise the text with the
    // suffix appended (text suffix) or the sum of both values (number suffix).
    QString ZeroToNullStr(const QString& text, const QString& suffix) const;
    QString ZeroToNullStr(const QString& text, double suffix) const;
    // Adds 1; stops at the largest 32-bit value instead of overflowing.
    void IncL(qint32& value) const;
    // 1, 2, 3, ... over the run (stops at the largest 32-bit value).
    qint32 NextDocNum();
    // The whole number of a numeric text, halves rounded to the even one; 0
    // for any other text. 64-bit (clamped), so large values compare right.
    qint64 Str2Int(const QString& text) const;
    // "0" for 0, for a value that rounds to 0 and for a text that is not
    // numeric; otherwise the value rounded to a whole number and grouped.
    QString CommafyNoDec(const QString& value) const;
    QString CommafyNoDec(double value) const;
    QString FormatLongWithCommas(qint32 value) const;
    // Removes the locale's monetary thousands separator, then its currency
    // symbol.
    QString NumCleanStr(const QString& text) const;
    QString GetCurrencySymbol() const;

    // Numbers as the user types them, read in the default locale at each
    // call: blanks around, a leading sign, the currency symbol before or
    // after, digits grouped in threes by the group separator, the decimal
    // separator, an exponent (1.5E3), or "&H" hexadecimal.
    bool isNumeric(const QString& text) const;
    std::optional<double> numericValue(const QString& text) const;
    // The value of the whole text when numeric, else of its leading number
    // (sign, digits, decimal separator, exponent, "&H"); 0 when none.
    double val(const QString& text) const;

    // "T"/"F" flags and check states.
    QString Bool2TorF(bool value) const;
    bool DBTF2TrueFalse(const QString& text) const;
    bool Str2Bool(const QString& text) const; // True only for "True"
    bool CK2TrueFalse(Qt::CheckState state) const;
    int TrueFalse2ZeroOne(bool value) const;

    // Sort comparisons: -1, 0 or 1.
    int CompareInt(const QString& a, const QString& b) const;
    int CompareStrNoCase(const QString& a, const QString& b) const;
    int CompareDate(const QString& a, const QString& b) const;
    // The text's date, or 1 January 1800 when it does not read as a date.
    QDate Str2Date(const QString& text) const;

    // Empties any collection with clear() (record collections included).
    template <typename Collection>
    void CollectionClear(Collection& collection) const { collection.clear(); }

    // Replaces the value stored under `key` of a keyed collection (a record
    // collection): removes it and adds `value` under the same key at the end.
    // A key that is not there changes nothing.
    template <typename Collection, typename Value>
    void CollSetValueAtExistingKey(Collection& collection, const Value& value, const QString& key) const
    {
        if (collection.remove(key))
            collection.add(key, value);
    }

    // The text without the blanks (spaces only) at either end; tabs and line
    // breaks stay, as stored texts expect.
    QString trimBlanks(const QString& text) const;

    // --- Fixed-width text -------------------------------------------------
    // Always width - 1 characters: the text padded with blanks on the right,
    // or, when longer, its first width - 4 characters and ".. ". A width below
    // 4 with a longer text, or below 1, gives width - 1 blanks (none below 1).
    QString PadOrTruncate(const QString& text, int width) const;

    // --- Import files -----------------------------------------------------
    // Line `lineNumber` (from 1) of the file (ImportFileReader), trimmed of
    // blanks, into `line`: True. False, leaving `line`, when the file is
    // shorter; a file that cannot be read is shown ("clsSystem_FileReadRowNum").
    bool FileReadRowNum(const QString& fileName, qint32 lineNumber, QString& line) const;
    // True when some column definition stands for `heading` (the headings
    // of the definitions in `definedHeadings`; letter case counts).
    bool ImportIsColumnRelevant(const QString& heading, const QStringList& definedHeadings) const;

    // --- Dates and times --------------------------------------------------
    // Stored forms: dates "YYYYMMDD", times "hh:mm:ss". Display: the default
    // locale's short or long date format, always with four-digit years, and
    // "h:mm:ss AMPM" with the locale's designators. Read at each call.

    // The stored date of a text that reads as a date; "" otherwise.
    QString CBDateFormat(const QString& text) const;
    // The stored time of a text that reads as a time, date-time or date
    // (a date alone is midnight); "" otherwise.
    QString CBTimeFormat(const QString& text) const;
    // A stored date shown with "Short Date" or "Long Date" (any other name:
    // short). "" when the trimmed text is not eight digits of a real date.
    QString DBDateToDislayDate(const QString& stored, const QString& formatName) const;
    // A stored time shown as "h:mm:ss AMPM"; "" when it is not a time.
    QString DBTimeToDislayTime(const QString& stored) const;
    QString CurrTimeAMPM() const;
    QString CurrDateShort() const;
    QString CurrDateLong() const;
    QString CurrDateTimeShort() const; // short date " @ " h:mm:ss AMPM
    QString CurrDateTimeLong() const;  // long date " @ " h:mm AMPM
    QString ShortDate() const;
    QString LongDate() const;
    QString NeutralShortDate() const;  // "MMM-DD-YY"
    QString PrePad2Zeros(const QString& text) const;
    // 31/30 by month, February by IsLeapYear; 30 for a month outside 1-12.
    int GetNumDaysInMonth(int month, int year) const;
    bool IsLeapYear(int year) const;
    // Kinds 1 this month, 2 this year, 11 last month, 12 last year: sets
    // `from`/`to` to the short dates of the range and returns True. Any other
    // kind returns False with both set to CurrDateTimeShort().
    bool MakeDateRange(qint32 kind, QString& from, QString& to) const;

    // The locale's date format of `type` with every one- or two-letter year
    // widened to "yyyy"; used both to show and to read dates.
    QString displayDateFormat(QLocale::FormatType type) const;
    // Dates and times as users type them: the locale's short format (numeric,
    // any of / - . as separator, two-digit years 00-29 as 20xx and 30-99 as
    // 19xx), its long format with or without the weekday, ISO yyyy-MM-dd;
    // times "14:05", "14:05:09", "2:05 PM" (locale or English designators);
    // a date followed by a time. isDate is True for any of these (a time
    // alone included); the readers give invalid results for none of them.
    bool isDate(const QString& text) const;
    QDate readDate(const QString& text) const;  // invalid for a time alone
    QTime readTime(const QString& text) const;  // midnight for a date alone

    // --- Files and folders ------------------------------------------------
    // Paths are joined with "/". Members that trap errors report them through
    // ShowError under their own labels and then return False or "".

    // True for an existing folder; False for a file of that name and for "".
    bool DirExists(const QString& path) const;
    // Creates one folder level. A failure gives False and is shown (label
    // "cls_CreateDir") only when `reportError`.
    bool CreateDir(const QString& path, bool reportError = false) const;
    // Deletes the folder with everything in it, read-only files and folders
    // included; a link inside is removed, never followed. True when it had to
    // stop because an entry resisted (shown through DeleteFile); False when it
    // went through, and when the folder does not exist.
    bool DirDelete(const QString& folder) const;
    // True for an existing ordinary file; the name part may hold the
    // wildcards * and ?. False for "".
    bool FileExists(const QString& path) const;
    // Copies the file, replacing the destination only once the copy is
    // complete. "clsSystem_FileCopyFn" on failure.
    bool FileCopyFn(const QString& source, const QString& destination) const;
    // What copyIntoFolder did.
    enum class FolderCopy { Copied, NameTaken, Failed };
    // Copies the file into `folder` under `name` (one plain name) as
    // FileCopyFn does, through a temporary file of the folder that then
    // takes the name in one step: what held the name, a link included, is
    // replaced whole, never written through, and only when `replace`.
    // Without it an entry under that name, or under a name the folder's file
    // system takes for it, stays as it is: NameTaken, nothing shown. The
    // copy takes the folder's group and permission bits (SharedAccess.h).
    // Failures are shown ("clsSystem_FileCopyFn").
    FolderCopy copyIntoFolder(const QString& source, const QString& folder, const QString& name, bool replace) const;
    // Renames or moves a file within its file system, in one step; an entry
    // that holds the new name (a link included) is an error and stays as it
    // is. "clsSystem_FileRename" on failure.
    bool FileRename(const QString& oldPath, const QString& newPath) const;
    // Deletes the file: a path with "*" is refused (False), a missing file
    // counts as deleted (True). A failure is False, shown ("clsSystem_DeleteFile")
    // only when `showError`.
    bool DeleteFile(const QString& path, bool showError) const;
    // Replaces the file with the text in Windows-1252, one byte a character.
    // The new content goes to a temporary file that then takes the file's
    // place, so a failed write leaves the old file as it was. A file that
    // cannot be replaced gives False, and when `showMessage` the box "Unable to
    // write to : ..."; a failure while writing goes to ShowError
    // ("clsSystem_WriteToFile").
    bool WriteToFile(const QString& text, const QString& path, bool showMessage) const;
    // Reads the whole file (Windows-1252) into `text`. False, showing nothing,
    // when no such file exists; a read error goes to ShowError
    // ("clsSystem_FileRead").
    bool FileRead(QString& text, const QString& path) const;
    // The folder, one "/" and the name; the name alone for an empty folder.
    // Never doubles the separator.
    QString MakePath(const QString& folder, const QString& fileName) const;
    // The part after the last "/"; the whole path without one.
    QString FileNameOnly(const QString& path) const;
    // Folder listing columns: the size in KB, rounded and grouped ("1 KB"
    // below 1024 bytes, an empty file too), and the local date and time of a
    // file time (short date, "h:mm AMPM"; "" when invalid).
    QString FileSizeToKBStr(qint64 bytes) const;
    QString FileTimeToDisplayStr(const QDateTime& time) const;

    // File dialogs, through the prompt service. `filter` holds description
    // and pattern pairs joined by "|". On confirmation `fileName` receives the
    // chosen path and the result is True; a cancel leaves it and gives False.
    bool GetFilename(QString& fileName, const QString& filter, long flags,
                     const QString& title = QString(), bool save = false) const;
    bool GetFilenameOpen(QString& fileName, const QString& filter, const QString& title) const;
    bool GetFilenameSaveAs(QString& fileName, const QString& filter, const QString& title) const;
    // The save dialog; the chosen path, or "" when cancelled.
    QString GetSaveFileName(const QString& title, const QString& filter, const QString& defaultExt,
                            const QString& fileName) const;

    // --- Shell, help and program environment ------------------------------
    // Launches go to xdg-open / xdg-email through ShellRunner; a launch that
    // fails is reported in an exclamation box titled with the product name,
    // and the caller goes on either way.

    QString GetVersionString() const;   // "major.minor" of this build
    QString GetAppTitle() const;        // product name, " - v", the version
    QString cTvWebsite() const;         // the maker's web site
    // "Unable to open folder '<folder>'" on failure.
    void ShowFolder(const QString& folder) const;
    // "Unable to launch '<address>'! No application ..." on failure.
    void GotoWebsite(const QString& address) const;
    // Opens the file with its program; on failure, or when there is no such
    // file, "Unable to launch '<nameToShow or file>'! No application ...".
    void LaunchFile(const QString& file, const QString& nameToShow = QString()) const;
    // A new message to the address (percent-encoded into a mailto: link);
    // a failure is silent.
    void SendEmail(const QString& address) const;
    void GotoTVWebsite() const;
    // This computer's network name (ProgramEnv::computerName).
    QString GetLocalComputerName() const;
    // The help file in the program folder.
    QString HelpFilename() const;
    // Show the help at its contents or at a topic through the help viewer;
    // without one, an information box says that no help is available. A
    // missing page is reported as a file that cannot be launched.
    void ShowHelpContents() const;
    void ShowHelpTopic(long topic) const;

    // --- Messages and errors ----------------------------------------------
    // Callable from every layer: the texts are made here and handed to the
    // prompt service.

    // Shows nothing for error number 0; otherwise a critical box titled
    // "Error" with errorText and the error's help topic.
    void ShowError(const QString& label, const RunError& error) const;
    // "Error # " + number (one leading blank unless negative) + " was
    // generated by " + source + CR + description + CR + label.
    QString errorText(const QString& label, const RunError& error) const;
    // The message window, modal: icon 1 information, 2 warning, 3 critical,
    // 4 locked; a help context below 1 means none. Clears the busy pointer.
    void ShowMsg(const QString& text, qint32 icon, qint32 helpContext) const;
    // The message window's e-mail button: a plain box "EmailMsg".
    void EmailMsg(const QString& text) const;
    // The busy pointer on and off.
    void WaitStart() const;
    void WaitEnd() const;

private:
    clsSystem() = default;

    qint32 m_docNum = 0; // NextDocNum
};

// Short form used throughout: Sys().MakeFullName(...)
inline clsSystem& Sys() { return clsSystem::instance(); }

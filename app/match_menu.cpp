#include "app/match_menu.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

#include "match/match_file.h"
#include "match/table_hands.h"

namespace {

QString file_filter()
{
    return MatchMenu::tr("Corvenne matches (*.corvenne)");
}

QString default_file_name()
{
    return QStringLiteral("corvenne-%1.corvenne")
        .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmm")));
}

MatchFileHeader header_for(const std::array<QString, 2>& seats)
{
    const QString now = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    return {now.toStdString(), {seats[0].toStdString(), seats[1].toStdString()}};
}

QString cannot_open(const QString& path, const QString& why)
{
    return MatchMenu::tr("The match file “%1” cannot be opened: %2").arg(QDir::toNativeSeparators(path), why);
}

// The file dialogs keep a history of their own (folders, view) in the
// settings of no file of their own, which the game does not promise to write.
// Those go to a folder that cannot hold a file: read as empty, never written.
// The game's settings name their file; the menu remembers the folder itself.
void keep_file_dialog_history_nowhere()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
}

// At most one byte more than a match file may hold, which is enough to refuse it.
std::variant<OpenedMatch, QString> read_match_file(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) return MatchMenu::tr("there is no such file");
    // A pipe or a device might never end, or never start.
    if (!info.isFile()) return MatchMenu::tr("it is not a file");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return file.errorString();
    const QByteArray bytes = file.read(static_cast<qint64>(MATCH_FILE_MAX_BYTES) + 1);
    if (file.error() != QFileDevice::NoError) return file.errorString();
    std::variant<OpenedMatch, MatchFileFault> opened =
        open_match_text(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (const auto* fault = std::get_if<MatchFileFault>(&opened)) return QString::fromStdString(describe(*fault));
    return std::get<OpenedMatch>(std::move(opened));
}

}  // namespace

MatchMenu::MatchMenu(QMenuBar& bar, QWidget& window, MatchHooks hooks)
    : QObject(&window), window_(window), hooks_(std::move(hooks)), watch_(hooks_, this),
      folder_(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
{
    keep_file_dialog_history_nowhere();
    QMenu* menu = bar.addMenu(tr("Match"));
    menu->setObjectName(QStringLiteral("MatchMenu"));
    QAction* save = menu->addAction(tr("Save match…"));
    save->setObjectName(QStringLiteral("SaveMatch"));
    connect(save, &QAction::triggered, this, &MatchMenu::choose_file_to_save);
    open_ = menu->addAction(tr("Open match…"));
    open_->setObjectName(QStringLiteral("OpenMatch"));
    connect(open_, &QAction::triggered, this, &MatchMenu::choose_file_to_open);
    watch_from_start_ = menu->addAction(tr("Watch from the start"));
    watch_from_start_->setObjectName(QStringLiteral("WatchMatch"));
    connect(watch_from_start_, &QAction::triggered, this, [this] { watch_.start(hooks_.record()); });
}

void MatchMenu::allow_replacing_the_table(bool allowed)
{
    if (!allowed) watch_.stop();
    open_->setEnabled(allowed);
    watch_from_start_->setEnabled(allowed);
}

bool MatchMenu::open_file(const QString& path)
{
    std::variant<OpenedMatch, QString> opened = read_match_file(path);
    if (const auto* why = std::get_if<QString>(&opened)) {
        tell(cannot_open(path, *why));
        return false;
    }
    watch_.stop();
    const OpenedMatch& match = std::get<OpenedMatch>(opened);
    hooks_.open_earlier_racks(match.earlier_racks, match.won_before);
    hooks_.hands->take_over(match.record, match.table);
    folder_ = QFileInfo(path).absolutePath();
    return true;
}

bool MatchMenu::save_file(const QString& path)
{
    const std::variant<std::string, ReplayFault> text =
        match_file_text(hooks_.record(), header_for(hooks_.seat_names()), hooks_.earlier_racks());
    if (const auto* fault = std::get_if<ReplayFault>(&text)) {
        tell(tr("The match cannot be saved: its input %1 does not replay (%2)")
                 .arg(fault->input + 1)
                 .arg(QString::fromStdString(fault->reason)));
        return false;
    }
    const std::string& bytes = std::get<std::string>(text);
    QSaveFile file(path);
    const auto size = static_cast<qint64>(bytes.size());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), size) != size || !file.commit()) {
        tell(tr("The match cannot be saved as “%1”: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    folder_ = QFileInfo(path).absolutePath();
    return true;
}

void MatchMenu::choose_file_to_save()
{
    QFileDialog dialog(&window_, tr("Save match"), folder_, file_filter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("corvenne"));
    dialog.selectFile(default_file_name());
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) save_file(dialog.selectedFiles().first());
}

void MatchMenu::choose_file_to_open()
{
    const QString path = QFileDialog::getOpenFileName(&window_, tr("Open match"), folder_,
                                                      file_filter() + tr(";;All files (*)"));
    if (!path.isEmpty()) open_file(path);
}

// Told without blocking, as the window tells a missing table picture.
void MatchMenu::tell(const QString& message)
{
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Corvenne"), message, QMessageBox::Ok, &window_);
    box->setObjectName(QStringLiteral("MatchMessage"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

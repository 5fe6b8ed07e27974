#include "app/resume_offer.h"

#include <QMessageBox>
#include <filesystem>

#include "app/command_line.h"
#include "app/network_seat.h"
#include "app/network_words.h"
#include "protocol/journal_file.h"

namespace {

void tell(QWidget& window, const QString& message)
{
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Corvenne"), message, QMessageBox::Ok, &window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// Kept beside, for whoever wants to see what went wrong, and never offered again.
void put_aside(QWidget& window, const std::string& path, const JournalFault& fault)
{
    const std::string aside = path + ".damaged";
    std::error_code error;
    std::filesystem::rename(path, aside, error);
    tell(window, unreadable_journal_text(QString::fromStdString(aside), QString::fromStdString(fault.text())));
}

void ask(NetworkSeat& network, QWidget& window, const HostJournal& journal)
{
    auto* box = new QMessageBox(QMessageBox::Question, QStringLiteral("Corvenne"),
                                resume_question(QString::fromStdString(journal.guest)),
                                QMessageBox::Yes | QMessageBox::No, &window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::finished, &network, [&network, journal](int answer) {
        if (answer == QMessageBox::Yes) network.resume_now(journal);
    });
    box->open();
}

}  // namespace

void offer_to_resume(NetworkSeat& network, QWidget& window, const RunRequest& request)
{
    const std::string path = default_journal_path();
    if (path.empty()) return;
    network.keep_journal(path);
    if (request.host || !request.join_host.isEmpty() || !request.join_code.isEmpty()) return;
    const bool at_once = request.resume;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        if (at_once) tell(window, no_journal_text());
        return;
    }
    const std::variant<HostJournal, JournalFault> read = load_journal(path);
    if (const auto* fault = std::get_if<JournalFault>(&read)) return put_aside(window, path, *fault);
    if (at_once)
        network.resume_now(std::get<HostJournal>(read));
    else
        ask(network, window, std::get<HostJournal>(read));
}

// How much the Word export adds to appending its 53 pieces: the export's
// appends (through the plugin, after attaching) against 53 bare insertString
// calls on a document of the same office, in the same run. Goal: at most 2x.

#include "LibreOfficeWriter.h"
#include "TestOffice.h"
#include "UnoText.h"
#include "WordExport.h"
#include "WordReport.h"

#include <com/sun/star/util/XCloseable.hpp>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <vector>

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

constexpr int Rounds = 9;

// Times the appends of one export: from the first piece to the last.
class TimedWriter : public WordProcessor
{
public:
    explicit TimedWriter(WordProcessor &writer) : m_writer(writer) {}
    qint64 appendNs = 0;

    void connectApplication() override { m_writer.connectApplication(); }
    void setVisible(bool visible) override { m_writer.setVisible(visible); }
    void setCaption(const QString &caption) override { m_writer.setCaption(caption); }
    void appendToDocument(const QString &text) override
    {
        if (!m_clock.isValid())
            m_clock.start();
        m_writer.appendToDocument(text);
        appendNs = m_clock.nsecsElapsed();
    }
    void disconnectDocument() override { m_writer.disconnectDocument(); }
    void disconnectApplication() override { m_writer.disconnectApplication(); }

private:
    WordProcessor &m_writer;
    QElapsedTimer m_clock;
};

qint64 bareInsertNs(TestOffice &office, const QStringList &pieces)
{
    const Reference<css::text::XTextDocument> document(
        office.desktop()->loadComponentFromURL(rtl::OUString("private:factory/swriter"),
                                               rtl::OUString("_blank"), 0, {}),
        UNO_QUERY_THROW);
    const Reference<css::text::XText> text = document->getText();
    QElapsedTimer clock;
    clock.start();
    for (const QString &piece : pieces)
        text->insertString(text->getEnd(), toOUString(piece), false);
    return clock.nsecsElapsed();
}

void closeDocuments(TestOffice &office)
{
    for (const auto &document : office.textDocuments())
        Reference<css::util::XCloseable>(document, UNO_QUERY_THROW)->close(true);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    try {
        TestOffice office(dir.filePath("profile"), TestOffice::uniquePipeName("bench"));
        office.start();

        LibreOfficeOptions options = LibreOfficeOptions::defaults();
        options.office.pipeName = office.pipeName();
        options.office.officeProgram = QStringLiteral("/nonexistent/soffice");  // never a second office
        const RecordHeader values;
        const QStringList pieces = wordreport::pieces(values);

        // The first document of a run pays for loading Writer.
        bareInsertNs(office, pieces);
        closeDocuments(office);

        std::vector<double> exportMs, bareMs;
        for (int round = 0; round < Rounds; ++round) {
            LibreOfficeWriter writer(options);
            TimedWriter timed(writer);
            exportToWord(values, timed);
            exportMs.push_back(timed.appendNs / 1e6);
            bareMs.push_back(bareInsertNs(office, pieces) / 1e6);
            closeDocuments(office);
        }
        const double ratio = median(exportMs) / median(bareMs);
        std::printf("word export: appending 53 pieces %.1f ms, 53 bare insertString %.1f ms (medians of %d)\n",
                    median(exportMs), median(bareMs), Rounds);
        std::printf("word export: pieces/bare insertString = %.2f (goal <= 2.0)\n", ratio);
        return ratio <= 2.0 ? 0 : 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "word export benchmark: %s\n", e.what());
        return 2;
    } catch (const css::uno::Exception &e) {
        std::fprintf(stderr, "word export benchmark: %s\n", qPrintable(toQString(e.Message)));
        return 2;
    }
}

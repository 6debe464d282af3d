#include "CertificateQuestions.h"

#include <QCoreApplication>
#include <QStringList>

namespace certificate {

namespace {

// The verdicts as the panel offers them: quoted in the interface's language.
[[maybe_unused]] const char *const Verdicts[] = {
    QT_TRANSLATE_NOOP("CertificateQuestions", "SART PASSED TESTS"),
    QT_TRANSLATE_NOOP("CertificateQuestions", "SART FAILED TESTS"),
};

QString shownConclusion(const QString &conclusion)
{
    return QCoreApplication::translate("CertificateQuestions", conclusion.toUtf8().constData());
}

} // namespace

QString carriedValuesText(const QString &record, const QList<CarriedValue> &all)
{
    QList<CarriedValue> carried = all;
    carried.removeIf([](const CarriedValue &v) { return v.source.isEmpty() && !v.identifiesSart; });
    if (carried.isEmpty())
        return {};
    QStringList sources;
    for (const CarriedValue &v : std::as_const(carried))
        if (!sources.contains(v.source))
            sources.append(v.source);
    QStringList clauses;
    for (const QString &source : std::as_const(sources)) {
        QStringList captions;
        for (const CarriedValue &v : std::as_const(carried))
            if (v.source == source)
                captions.append(v.caption);
        const bool one = captions.size() == 1;
        const QString fields = one
            ? captions.constFirst()
            : QCoreApplication::translate(
                "CertificateQuestions", "%1 and %2", "the last two of a list of field captions")
                  .arg(captions.mid(0, captions.size() - 1)
                           .join(QCoreApplication::translate("CertificateQuestions", ", ", "between field captions")),
                      captions.constLast());
        if (source.isEmpty())
            clauses.append((one ? QCoreApplication::translate("CertificateQuestions",
                                "%1 was in the panel before any record was shown", "%1: one field caption")
                                : QCoreApplication::translate("CertificateQuestions",
                                    "%1 were in the panel before any record was shown", "%1: several field captions"))
                               .arg(fields));
        else
            clauses.append((one ? QCoreApplication::translate(
                                "CertificateQuestions", "%1 comes from the record %2", "%1: one field caption")
                                : QCoreApplication::translate(
                                    "CertificateQuestions", "%1 come from the record %2", "%1: several field captions"))
                               .arg(fields, source));
    }
    return QCoreApplication::translate("CertificateQuestions", "The record %1 has no saved header of its own: %2.")
        .arg(record,
            clauses.join(
                QCoreApplication::translate("CertificateQuestions", "; ", "between the clauses of one sentence")));
}

QString saveQuestion(const QString &record, const QList<CarriedValue> &carried)
{
    const QString text = carriedValuesText(record, carried);
    if (text.isEmpty())
        return {};
    return text + QStringLiteral("\n\n")
        + QCoreApplication::translate(
            "CertificateQuestions", "Save changes into the record %1 with these values all the same?")
              .arg(record);
}

QString checkQuestion(const Result &result, const QString &action)
{
    QString text = result.describe() + QStringLiteral("\n\n");
    if (result.onlyTestingDate())
        text += QCoreApplication::translate("CertificateQuestions",
            "The testing date is never saved into the record: certify the date shown only if it is "
            "the day of the test. The register keeps both dates.");
    else
        text += QCoreApplication::translate("CertificateQuestions",
            "%1: not while the certificate and the record differ.", "%1: the command, as \"Print the certificate\"")
                    .arg(action);
    return text;
}

QString certifyQuestion(const Verdict &verdict, const QString &action)
{
    QStringList reasons;
    const QString conclusion = shownConclusion(verdict.conclusion);
    if (verdict.conclusionFrom)
        reasons.append(verdict.conclusionFrom->isEmpty()
                ? QCoreApplication::translate("CertificateQuestions",
                    "The conclusion \"%1\" was not chosen for the record %2: it was in the panel "
                    "before any record was shown.")
                      .arg(conclusion, verdict.record)
                : QCoreApplication::translate("CertificateQuestions",
                    "The conclusion \"%1\" was not chosen for the record %2: it is carried over "
                    "from the record %3.")
                      .arg(conclusion, verdict.record, *verdict.conclusionFrom));
    const QList<limits::Judgement> &outside = verdict.outside;
    if (verdict.certifiesCompliance && !outside.isEmpty()) {
        QString text = outside.size() == 1
            ? QCoreApplication::translate("CertificateQuestions",
                "The certificate says \"%1\", but 1 value of the record %2 is outside the "
                "limits of the SART standard:")
                  .arg(conclusion, verdict.record)
            : QCoreApplication::translate("CertificateQuestions",
                "The certificate says \"%1\", but %n values of the record %2 are outside the "
                "limits of the SART standard:",
                nullptr, int(outside.size()))
                  .arg(conclusion, verdict.record);
        for (const limits::Judgement &j : outside)
            text += QStringLiteral("\n- ") + j.shownText();
        reasons.append(text);
    }
    if (reasons.isEmpty())
        return {};
    return reasons.join(QStringLiteral("\n\n")) + QStringLiteral("\n\n")
        + QCoreApplication::translate("CertificateQuestions", "%1 with these values all the same?",
            "%1: the command, as \"Print the certificate\"")
              .arg(action);
}

} // namespace certificate

#include "PdfSigner.h"

#include "AppError.h"
#include "SigningKey.h"

#include <QCoreApplication>
#include <podofo/podofo.h>

namespace signing {

namespace {

// Room for the CMS signature: the signer's certificate and chain and RSA
// keys up to 4096 bits fit with room to spare.
constexpr size_t SignatureRoom = 16384;

PoDoFo::PdfString pdfText(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return PoDoFo::PdfString(reinterpret_cast<const PoDoFo::pdf_utf8 *>(utf8.constData()));
}

} // namespace

QByteArray signPdf(const QByteArray &pdf, const SigningKey &key, const CertificateFacts &facts)
{
    using namespace PoDoFo;
    // The library's own messages to standard output would mix with the
    // findings the command line prints.
    PdfError::EnableLogging(false);
    PdfError::EnableDebug(false);
    try {
        PdfMemDocument document;
        document.LoadFromBuffer(pdf.constData(), long(pdf.size()), true);
        if (document.GetPageCount() < 1)
            errors::throwText(QCoreApplication::translate("PdfSigner", "The PDF to sign has no page."));

        PdfInfo *info = document.GetInfo();
        info->SetCustomKey(PdfName("CertificateNumber"), pdfText(facts.number));
        info->SetCustomKey(PdfName("RecordSHA256"), pdfText(facts.recordSha256));
        info->SetCustomKey(PdfName("Verdict"), pdfText(facts.verdict));

        PdfAcroForm *form = document.GetAcroForm(true, ePdfAcroFormDefaultAppearance_None);
        form->GetObject()->GetDictionary().AddKey(PdfName("SigFlags"), PdfObject(pdf_int64(3)));
        if (form->GetNeedAppearances())
            form->SetNeedAppearances(false);

        PdfRefCountedBuffer buffer;
        PdfOutputDevice output(&buffer);
        PdfSignOutputDevice signer(&output);
        signer.SetSignatureSize(SignatureRoom);

        PdfPage *page = document.GetPage(0);
        PdfAnnotation *widget = page->CreateAnnotation(ePdfAnnotation_Widget, PdfRect(0, 0, 0, 0));
        widget->SetFlags(ePdfAnnotationFlags_Hidden | ePdfAnnotationFlags_Invisible);
        PdfSignatureField field(widget, form, &document);
        field.SetFieldName(PdfString("Certificate signature"));
        field.SetSignatureReason(pdfText(QStringLiteral("Certificate %1 issued").arg(facts.number)));
        field.SetSignatureDate(PdfDate());
        field.SetSignature(*signer.GetSignatureBeacon());
        // OpenSSL adds a signing time to the signed attributes, which
        // ETSI.CAdES.detached forbids: the sub-filter says plain PKCS#7.
        field.GetSignatureObject()->GetDictionary().AddKey(PdfName("SubFilter"), PdfName("adbe.pkcs7.detached"));

        document.WriteUpdate(&signer, true);
        if (!signer.HasSignaturePosition())
            errors::throwText(
                QCoreApplication::translate("PdfSigner", "The signature's place was not found in the PDF written."));
        signer.AdjustByteRange();
        signer.Seek(0);
        QByteArray covered;
        char piece[65536];
        for (size_t n; (n = signer.ReadForSignature(piece, sizeof piece)) > 0;)
            covered.append(piece, qsizetype(n));
        const QByteArray cms = key.signDetached(covered);
        if (size_t(cms.size()) * 2 > signer.GetSignatureBeacon()->data().size())
            errors::throwText(QCoreApplication::translate(
                "PdfSigner", "The signature (%1 bytes) is larger than the room kept for it.")
                                  .arg(cms.size()));
        signer.SetSignature(PdfData(cms.constData(), size_t(cms.size())));
        signer.Flush();
        return QByteArray(buffer.GetBuffer(), qsizetype(output.GetLength()));
    } catch (const PdfError &e) {
        errors::throwText(QCoreApplication::translate(
            "PdfSigner", "The certificate's PDF could not be signed: %1 (PDF library error %2).")
                              .arg(QString::fromUtf8(PdfError::ErrorMessage(e.GetError())))
                              .arg(int(e.GetError())));
    }
}

} // namespace signing

#include "einvoice/invoicepdf.h"

#include "billing/taxinvoice.h"
#include "common/amountinwords.h"
#include "common/outputfile.h"
#include "einvoice/gstin.h"

#include <QFont>
#include <QPageLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

#include <qrencode.h>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// Page geometry in points (the writer runs at 72 dots per inch): A4 with 40-point margins.
constexpr double PageWidth = 595.0;
constexpr double Margin = 40.0;
constexpr double Width = PageWidth - 2 * Margin;
constexpr double QrSide = 150.0;

QFont font(double points, bool bold = false)
{
    QFont f(u"DejaVu Sans"_s);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QString percentText(int hundredths)
{
    QString text = paiseText(hundredths);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text + u"%"_s;
}

// Writes one page top-down; y is the next free line.
class PageWriter
{
public:
    explicit PageWriter(QPainter &painter) : m_painter(painter) {}

    // A block of text, wrapped within `width` from x; moves y below it.
    void text(const QString &text, const QFont &f = font(9), double x = Margin, double width = Width,
              int flags = Qt::AlignLeft)
    {
        m_painter.setFont(f);
        const QRectF area(x, m_y, width, 400);
        QRectF used;
        m_painter.drawText(area, flags | Qt::TextWordWrap, text, &used);
        m_y += used.height();
    }
    // Two texts on one line: a label on the left, an amount right-aligned in the last column.
    void amountLine(const QString &label, const QString &amount, bool bold = false)
    {
        m_painter.setFont(font(9, bold));
        const double height = m_painter.fontMetrics().height();
        m_painter.drawText(QRectF(Margin + 250, m_y, 170, height), Qt::AlignLeft, label);
        m_painter.drawText(QRectF(Margin + 420, m_y, Width - 420, height), Qt::AlignRight, amount);
        m_y += height;
    }
    void gap(double points) { m_y += points; }
    void rule()
    {
        m_painter.drawLine(QPointF(Margin, m_y), QPointF(Margin + Width, m_y));
        m_y += 4;
    }
    double y() const { return m_y; }
    void setY(double y) { m_y = y; }

private:
    QPainter &m_painter;
    double m_y = Margin;
};

void drawQrCode(QPainter &painter, const QImage &code, const QRectF &area)
{
    // A quiet zone of four modules around the code, then each dark module as a filled square.
    const double module = area.width() / (code.width() + 8);
    QPainterPath dark;
    for (int y = 0; y < code.height(); ++y)
        for (int x = 0; x < code.width(); ++x)
            if (code.pixelIndex(x, y) == 1)
                dark.addRect(area.left() + (x + 4) * module, area.top() + (y + 4) * module, module, module);
    painter.fillRect(area, Qt::white);
    painter.fillPath(dark, Qt::black);
}

void writePage(QPainter &painter, const GridBill &bill, const Seller &seller,
               const std::optional<IrpAnswer> &registration, const QString &copyName)
{
    PageWriter page(painter);
    page.text(copyName, font(8), Margin, Width, Qt::AlignRight);
    page.text(u"TAX INVOICE"_s, font(16, true), Margin, Width, Qt::AlignHCenter);
    page.gap(8);

    // The supplier.
    page.text(seller.legalName, font(11, true));
    page.text(seller.address);
    page.text(u"GSTIN : "_s + bill.companyGstin + u"     CIN : "_s + bill.companyCin);
    page.gap(6);
    page.rule();

    // The invoice's number and date on the right, the recipient on the left.
    const double top = page.y();
    page.text(u"Invoice No : "_s + bill.billNo, font(9, true), Margin + 300, Width - 300);
    page.text(u"Invoice Date : "_s
                  + (bill.billDate.isValid() ? bill.billDate.toString(u"dd-MM-yyyy"_s) : bill.billDateText),
              font(9), Margin + 300, Width - 300);
    const double right = page.y();
    page.setY(top);
    page.text(u"Recipient"_s, font(8, true), Margin, 290);
    page.text(bill.agencyName, font(10, true), Margin, 290);
    for (const QString &line : bill.agencyAddress)
        page.text(line, font(9), Margin, 290);
    const bool registered = isValidGstin(bill.gstin);
    page.text(u"GSTIN : "_s + (bill.gstin.isEmpty() ? u"NA"_s : bill.gstin) + u"     PAN : "_s + bill.pan, font(9),
              Margin, 290);
    page.text(u"Place of Supply : "_s + bill.subName
                  + (registered ? u" (State code "_s + gstinStateCode(bill.gstin) + u")"_s : QString()),
              font(9), Margin, 290);
    page.setY(qMax(page.y(), right) + 6);
    page.rule();

    // The service and its figures.
    page.text(ServiceDescriptionLine.toString(), font(9, true));
    page.text(bill.edition + u", insertion "_s + bill.insertionDate
              + (bill.roNo.isEmpty() ? QString() : u", release order "_s + bill.roNo + u" of "_s + bill.roDate));
    if (!bill.caption.isEmpty())
        page.text(bill.caption);
    page.gap(6);
    page.amountLine(u"Gross amount"_s, paiseText(bill.taxable + bill.discount));
    page.amountLine(u"Discount"_s, paiseText(bill.discount));
    page.amountLine(u"Taxable value"_s, paiseText(bill.taxable), true);
    if (bill.isInterState()) {
        page.amountLine(u"IGST @ "_s + percentText(bill.igstRate), paiseText(bill.igst));
    } else {
        page.amountLine(u"CGST @ "_s + percentText(bill.cgstRate), paiseText(bill.cgst));
        page.amountLine(u"SGST @ "_s + percentText(bill.sgstRate), paiseText(bill.sgst));
    }
    page.amountLine(u"Total (Rs.)"_s, paiseText(bill.amount), true);
    page.gap(4);
    page.text(AmountInWords(double(bill.amount) / 100.0), font(9, true));
    page.gap(6);
    page.text(ReverseChargeLine.toString());
    page.gap(6);
    page.rule();

    // The registration with the portal.
    const double registrationTop = page.y();
    if (registration) {
        page.text(u"e-Invoice"_s, font(9, true), Margin, Width - QrSide - 10);
        page.text(u"IRN : "_s + registration->irn, font(8), Margin, Width - QrSide - 10);
        page.text(u"Ack No : "_s + registration->ackNo, font(8), Margin, Width - QrSide - 10);
        page.text(u"Ack Date : "_s + registration->ackDate.toString(u"dd-MM-yyyy HH:mm"_s), font(8), Margin,
                  Width - QrSide - 10);
        const QImage code = qrCodeImage(registration->signedQrCode);
        if (!code.isNull())
            drawQrCode(painter, code, QRectF(Margin + Width - QrSide, registrationTop, QrSide, QrSide));
        page.setY(qMax(page.y(), registrationTop + QrSide) + 10);
    }

    // The signatory.
    page.gap(20);
    page.text(u"For "_s + seller.legalName, font(9, true), Margin + 300, Width - 300);
    page.gap(40);
    page.text(u"Authorised Signatory"_s, font(9), Margin + 300, Width - 300);
}

}  // namespace

QImage qrCodeImage(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString8bit(bytes.constData(), 0, QR_ECLEVEL_L), &QRcode_free);
    if (!code)
        return {};
    QImage image(code->width, code->width, QImage::Format_Mono);
    image.setColor(0, qRgb(255, 255, 255));
    image.setColor(1, qRgb(0, 0, 0));
    for (int y = 0; y < code->width; ++y)
        for (int x = 0; x < code->width; ++x)
            image.setPixel(x, y, code->data[y * code->width + x] & 1);  // bit 0: dark module
    return image;
}

std::optional<QString> writeInvoicePdf(const QList<GridBill> &bills, const Sellers &sellers,
                                       const RegistrationOf &registrationOf, const QString &path)
{
    if (bills.isEmpty())
        return std::nullopt;  // nothing to print, no file
    OutputFile file(path);
    if (std::optional<QString> failure = file.open())
        return failure;
    {
        QPdfWriter pdf(&file.device());
        pdf.setResolution(72);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        pdf.setTitle(u"Tax invoices"_s);
        pdf.setCreator(u"selvoro"_s);
        QPainter painter;
        if (!painter.begin(&pdf))
            return u"cannot write "_s + path;
        bool first = true;
        for (const GridBill &bill : bills) {
            const Seller &seller = sellers.forProducts(bill.products);
            const std::optional<IrpAnswer> registration = registrationOf ? registrationOf(bill.billNo) : std::nullopt;
            const int copies = bill.bpType == u"1"_s ? 2 : 1;
            for (int copy = 1; copy <= copies; ++copy) {
                if (!first)
                    pdf.newPage();
                first = false;
                writePage(painter, bill, seller, registration,
                          copy == 1 ? u"Original for recipient"_s : u"Duplicate for supplier"_s);
            }
        }
        painter.end();
    }
    return file.commit();
}

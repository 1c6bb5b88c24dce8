#include "einvoice/invoicepdf.h"

#include "billing/billamounts.h"
#include "billing/billitem.h"
#include "billing/taxinvoice.h"
#include "common/amountinwords.h"
#include "common/messages.h"
#include "common/numbers.h"
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

// A table of labelled cells across the page: a header row in bold, then one row of values.
void writeTable(PageWriter &page, QPainter &painter, const QList<std::pair<QString, QString>> &cells,
                const QList<double> &widths)
{
    const double top = page.y();
    double x = Margin;
    double bottom = top;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const double width = widths.at(i);
        page.setY(top + 2);
        page.text(cells.at(i).first, font(7.5, true), x + 3, width - 6);
        page.text(cells.at(i).second, font(8.5), x + 3, width - 6);
        bottom = qMax(bottom, page.y() + 2);
        x += width;
    }
    x = Margin;
    for (const double width : widths) {
        painter.drawRect(QRectF(x, top, width, bottom - top));
        x += width;
    }
    page.setY(bottom + 6);
}

// The item's measure and rate as the stationery invoice prints them.
std::pair<QString, QString> measureAndRate(const BillRow &bill)
{
    switch (pricingOf(bill)) {
    case BillPricing::Words: return {bill.words + u" words"_s, bill.newRate};
    case BillPricing::ColumnCentimetres:
        return {bill.cols + u" cols x "_s + bill.heightCm + u" cm"_s, twoDecimals(bill.mechData)};
    case BillPricing::Area: break;
    }
    return {bill.sqCms + u" sq cm"_s, bill.newRate};
}

// A party named on the invoice: a caption, then the name and the address lines.
void writeParty(PageWriter &page, const QString &caption, const QString &name, const QStringList &address, double x,
                double width)
{
    page.text(caption, font(8, true), x, width);
    page.text(name, font(10, true), x, width);
    for (const QString &line : address)
        page.text(line, font(9), x, width);
}

void writePage(QPainter &painter, const BillRow &bill, const Seller &seller, const BillRegistration &registration,
               int copy)
{
    const BillParty buyer = bill.buyer();
    const BillAmounts amounts = amountsOf(bill);
    const QDate billDate = billDateOf(bill);
    PageWriter page(painter);
    page.text(copy == 1 ? u"Original for recipient"_s : u"Duplicate for supplier"_s, font(8), Margin, Width,
              Qt::AlignRight);
    page.text(u"TAX INVOICE"_s, font(16, true), Margin, Width, Qt::AlignHCenter);
    page.gap(8);

    // The supplier, and the invoice's number and date beside it.
    const double top = page.y();
    page.text(u"Invoice No : "_s + bill.billNo, font(9, true), Margin + 330, Width - 330);
    page.text(u"Invoice Date : "_s + (billDate.isValid() ? billDate.toString(u"dd-MM-yyyy"_s) : bill.billDate), font(9),
              Margin + 330, Width - 330);
    page.text(u"Schedule No : "_s + bill.scheduleNo, font(9), Margin + 330, Width - 330);
    const double right = page.y();
    page.setY(top);
    page.text(seller.legalName, font(11, true), Margin, 320);
    page.text(seller.address, font(9), Margin, 320);
    page.text(u"GSTIN : "_s + bill.svGstin, font(9), Margin, 320);
    page.text(u"CIN : "_s + bill.svCin, font(9), Margin, 320);
    page.setY(qMax(page.y(), right) + 6);
    page.rule();

    // The recipient (the party whose GSTIN the bill carries) and the other party of the booking.
    const double partiesTop = page.y();
    writeParty(page, u"Recipient"_s, buyer.name, buyer.address, Margin, 250);
    const bool registered = isValidGstin(buyer.gstin);
    page.text(u"GSTIN : "_s + (buyer.gstin.isEmpty() ? u"NA"_s : buyer.gstin), font(9), Margin, 250);
    page.text(u"PAN : "_s + buyer.pan, font(9), Margin, 250);
    page.text(u"Place of Supply : "_s + bill.subName
                  + (registered ? u" (State code "_s + gstinStateCode(buyer.gstin) + u")"_s : QString()),
              font(9), Margin, 250);
    const double left = page.y();
    page.setY(partiesTop);
    if (bill.billedToClient)
        writeParty(page, u"Agency"_s, bill.agentName.trimmed() + u" ("_s + bill.agentCode + u")"_s,
                   {bill.agentAddress1, bill.agentAddress2, bill.agentAddress3}, Margin + 265, Width - 265);
    else
        writeParty(page, u"Advertiser"_s, bill.bookedClientName.trimmed(),
                   {bill.clientAddress, bill.clientAddress2, bill.clientAddress3}, Margin + 265, Width - 265);
    page.setY(qMax(page.y(), left) + 6);
    page.rule();

    // The advertisement as the release order booked it.
    page.text(ServiceDescriptionLine.toString(), font(9, true));
    page.gap(4);
    const auto [measure, rate] = measureAndRate(bill);
    writeTable(page, painter,
               {{u"Release order"_s, bill.roNo.isEmpty() ? u"-"_s : bill.roNo + u"\n"_s + bill.roDate},
                {u"Insertion"_s, bill.insertionDate},
                {u"Edition"_s, bill.edition},
                {u"Pages"_s, bill.page},
                {u"Size"_s, measure},
                {u"Rate"_s, rate},
                {u"Amount"_s, TwoDecimalText(itemAmount(bill)).text().toString()}},
               {95, 65, 120, 45, 80, 50, 60});
    if (!bill.caption.trimmed().isEmpty())
        page.text(u"Caption : "_s + bill.caption.trimmed());
    if (!bill.adRef.trimmed().isEmpty())
        page.text(u"Reference : "_s + bill.adRef.trimmed());
    page.gap(6);

    if (leadingNumber(bill.boxCharge) > 0)
        page.amountLine(u"Box charge (included)"_s, twoDecimals(bill.boxCharge));
    page.amountLine(u"Gross amount"_s, paiseText(amounts.taxable + amounts.discount));
    page.amountLine(u"Discount"_s, paiseText(amounts.discount));
    page.amountLine(u"Taxable value"_s, paiseText(amounts.taxable), true);
    if (amounts.isInterState()) {
        page.amountLine(u"IGST @ "_s + percentText(amounts.igstRate), paiseText(amounts.igst));
    } else {
        page.amountLine(u"CGST @ "_s + percentText(amounts.cgstRate), paiseText(amounts.cgst));
        page.amountLine(u"SGST @ "_s + percentText(amounts.sgstRate), paiseText(amounts.sgst));
    }
    page.amountLine(u"Total (Rs.)"_s, paiseText(amounts.amount), true);
    // The agency's copy always shows its commission, the first copy only on a bill not billed gross.
    if (copy == 2 || leadingNumber(bill.grossBill) == 0)
        page.amountLine(u"Commission"_s, twoDecimals(bill.commission));
    page.gap(4);
    page.text(AmountInWords(double(amounts.amount) / 100.0), font(9, true));
    page.gap(6);
    page.text(ReverseChargeLine.toString());
    page.gap(6);
    page.rule();

    // The registration with the portal: IRN and QR code only of a registration of this very bill.
    const double registrationTop = page.y();
    if (registration.isValid()) {
        page.text(u"e-Invoice"_s, font(9, true), Margin, Width - QrSide - 10);
        page.text(u"IRN : "_s + registration.answer->irn, font(8), Margin, Width - QrSide - 10);
        page.text(u"Ack No : "_s + registration.answer->ackNo, font(8), Margin, Width - QrSide - 10);
        page.text(u"Ack Date : "_s + registration.answer->ackDate.toString(u"dd-MM-yyyy HH:mm"_s), font(8), Margin,
                  Width - QrSide - 10);
        const QImage code = qrCodeImage(registration.answer->signedQrCode);
        if (!code.isNull())
            drawQrCode(painter, code, QRectF(Margin + Width - QrSide, registrationTop, QrSide, QrSide));
        page.setY(qMax(page.y(), registrationTop + QrSide) + 10);
    } else if (registration.state == BillRegistration::State::Changed) {
        page.text(u"Registered e-invoice does not match this bill"_s, font(9, true));
    } else if (registration.state == BillRegistration::State::Cancelled) {
        page.text(u"e-invoice IRN cancelled on "_s + registration.answer->cancelDate.toString(u"dd-MM-yyyy HH:mm"_s)
                      + u": not yet registered again"_s,
                  font(9, true));
    } else if (registered) {
        page.text(u"e-invoice not yet registered"_s, font(9, true));
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

std::optional<QString> writeInvoicePdf(const BillRows &bills, const Sellers &sellers, const RegistrationOf &kept,
                                       OutputFile &output, const Progress &progress)
{
    QPdfWriter pdf(&output.device());
    pdf.setResolution(72);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    pdf.setTitle(u"Tax invoices"_s);
    pdf.setCreator(u"selvoro"_s);
    QPainter painter;
    if (!painter.begin(&pdf))
        return u"cannot write "_s + output.path();
    bool first = true;
    const std::span<const BillRow> printable = printableBills(bills);
    int done = 0;
    for (const BillRow &bill : printable) {
        const Seller &seller = sellers.forBill(bill);
        const BillRegistration registration = registrationOf(bill, kept);
        const int copies = bill.bpType == u"1"_s ? 2 : 1;
        for (int copy = 1; copy <= copies; ++copy) {
            if (!first)
                pdf.newPage();
            first = false;
            writePage(painter, bill, seller, registration, copy);
        }
        if (!goOn(progress, ++done, int(printable.size())))
            return Msg::OutputStopped;  // the painter ends, and the caller puts nothing in place
    }
    painter.end();
    if (output.device().error() != QFileDevice::NoError)
        return output.failure();
    return std::nullopt;
}

#include "einvoice/invoicepdf.h"

#include "billing/billamounts.h"
#include "billing/billitem.h"
#include "billing/taxinvoice.h"
#include "common/amountinwords.h"
#include "common/messages.h"
#include "common/numbers.h"
#include "common/outputfile.h"
#include "einvoice/gstin.h"

#include "pdf/pdfdocument.h"
#include "pdf/pdffont.h"
#include "pdf/textlines.h"

#include <qrencode.h>

#include <QtMath>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// Page geometry in points: A4 with 40-point margins.
constexpr double PageWidth = 595.0;
constexpr double PageHeight = 842.0;
constexpr double Margin = 40.0;
constexpr double Width = PageWidth - 2 * Margin;
constexpr double QrSide = 150.0;

struct InvoiceFonts
{
    std::unique_ptr<PdfFont> regular;
    std::unique_ptr<PdfFont> bold;
};

// A size in points, regular or bold.
struct Style
{
    double size = 9;
    bool bold = false;
};

constexpr Style Bold(double size) { return {size, true}; }

enum class Align { Left, Right, Centre };

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
    PageWriter(PdfDocument &pdf, const InvoiceFonts &fonts) : m_pdf(pdf), m_fonts(fonts) {}

    // A block of text, wrapped within `width` from x; moves y below it. Each line sits on a whole
    // point below the first.
    void text(const QString &text, Style style = {}, double x = Margin, double width = Width, Align align = Align::Left)
    {
        const PdfFont &font = fontOf(style);
        const VerticalMetrics metrics = font.metrics(style.size);
        double height = 0;
        for (const ShapedText &line : textLines(font, style.size, text, width)) {
            height = qCeil(height);
            draw(line, style, lineStart(line, x, width, align), m_y + height + metrics.ascent);
            height += metrics.height();
        }
        m_y += height;
    }
    // Two texts on one line: a label on the left, an amount right-aligned in the last column.
    void amountLine(const QString &label, const QString &amount, bool bold = false)
    {
        const Style style{9, bold};
        const PdfFont &font = fontOf(style);
        const VerticalMetrics metrics = font.metrics(style.size);
        const double baseline = m_y + metrics.ascent;
        draw(font.shape(label, style.size), style, Margin + 250, baseline);
        const ShapedText shaped = font.shape(amount, style.size);
        draw(shaped, style, lineStart(shaped, Margin + 420, Width - 420, Align::Right), baseline);
        m_y += qRound(metrics.height());
    }
    void gap(double points) { m_y += points; }
    void rule()
    {
        m_pdf.line(QPointF(Margin, m_y), QPointF(Margin + Width, m_y));
        m_y += 4;
    }
    double y() const { return m_y; }
    void setY(double y) { m_y = y; }

private:
    const PdfFont &fontOf(Style style) const { return style.bold ? *m_fonts.bold : *m_fonts.regular; }
    static double lineStart(const ShapedText &line, double x, double width, Align align)
    {
        switch (align) {
        case Align::Left: break;
        case Align::Right: return x + width - line.width;
        case Align::Centre: return x + (width - line.width) / 2;
        }
        return x;
    }
    void draw(const ShapedText &line, Style style, double x, double baseline)
    {
        m_glyphs.clear();
        for (const ShapedGlyph &glyph : line.glyphs)
            m_glyphs.push_back({glyph.index, x + glyph.x, baseline});
        m_pdf.glyphs(fontOf(style), style.size, m_glyphs);
    }

    PdfDocument &m_pdf;
    const InvoiceFonts &m_fonts;
    std::vector<PlacedGlyph> m_glyphs;
    double m_y = Margin;
};

void drawQrCode(PdfDocument &pdf, const QImage &code, const QRectF &area)
{
    // A quiet zone of four modules around the code, then each row's runs of dark modules.
    const double module = area.width() / (code.width() + 8);
    std::vector<QRectF> dark;
    for (int y = 0; y < code.height(); ++y) {
        int x = 0;
        while (x < code.width()) {
            if (code.pixelIndex(x, y) != 1) {
                ++x;
                continue;
            }
            const int first = x;
            while (x < code.width() && code.pixelIndex(x, y) == 1)
                ++x;
            dark.emplace_back(area.left() + (first + 4) * module, area.top() + (y + 4) * module, (x - first) * module,
                              module);
        }
    }
    pdf.fill({&area, 1}, false);
    pdf.fill(dark, true);
}

// A table of labelled cells across the page: a header row in bold, then one row of values.
void writeTable(PageWriter &page, PdfDocument &pdf, const QList<std::pair<QString, QString>> &cells,
                const QList<double> &widths)
{
    const double top = page.y();
    double x = Margin;
    double bottom = top;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const double width = widths.at(i);
        page.setY(top + 2);
        page.text(cells.at(i).first, Bold(8), x + 3, width - 6);
        page.text(cells.at(i).second, Style{9}, x + 3, width - 6);
        bottom = qMax(bottom, page.y() + 2);
        x += width;
    }
    x = Margin;
    for (const double width : widths) {
        pdf.frame(QRectF(x, top, width, bottom - top));
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
    page.text(caption, Bold(8), x, width);
    page.text(name, Bold(10), x, width);
    for (const QString &line : address)
        page.text(line, Style{9}, x, width);
}

void writePage(PdfDocument &pdf, const InvoiceFonts &fonts, const BillRow &bill, const Seller &seller,
               const BillRegistration &registration, int copy)
{
    const BillParty buyer = bill.buyer();
    const BillAmounts amounts = amountsOf(bill);
    const QDate billDate = billDateOf(bill);
    PageWriter page(pdf, fonts);
    page.text(copy == 1 ? u"Original for recipient"_s : u"Duplicate for supplier"_s, Style{8}, Margin, Width,
              Align::Right);
    page.text(u"TAX INVOICE"_s, Bold(16), Margin, Width, Align::Centre);
    page.gap(8);

    // The supplier, and the invoice's number and date beside it.
    const double top = page.y();
    page.text(u"Invoice No : "_s + bill.billNo, Bold(9), Margin + 330, Width - 330);
    page.text(u"Invoice Date : "_s + (billDate.isValid() ? billDate.toString(u"dd-MM-yyyy"_s) : bill.billDate),
              Style{9}, Margin + 330, Width - 330);
    page.text(u"Schedule No : "_s + bill.scheduleNo, Style{9}, Margin + 330, Width - 330);
    const double right = page.y();
    page.setY(top);
    page.text(seller.legalName, Bold(11), Margin, 320);
    page.text(seller.address, Style{9}, Margin, 320);
    page.text(u"GSTIN : "_s + bill.svGstin, Style{9}, Margin, 320);
    page.text(u"CIN : "_s + bill.svCin, Style{9}, Margin, 320);
    page.setY(qMax(page.y(), right) + 6);
    page.rule();

    // The recipient (the party whose GSTIN the bill carries) and the other party of the booking.
    const double partiesTop = page.y();
    writeParty(page, u"Recipient"_s, buyer.name, buyer.address, Margin, 250);
    const bool registered = isValidGstin(buyer.gstin);
    page.text(u"GSTIN : "_s + (buyer.gstin.isEmpty() ? u"NA"_s : buyer.gstin), Style{9}, Margin, 250);
    page.text(u"PAN : "_s + buyer.pan, Style{9}, Margin, 250);
    page.text(u"Place of Supply : "_s + bill.subName
                  + (registered ? u" (State code "_s + gstinStateCode(buyer.gstin) + u")"_s : QString()),
              Style{9}, Margin, 250);
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
    page.text(ServiceDescriptionLine.toString(), Bold(9));
    page.gap(4);
    const auto [measure, rate] = measureAndRate(bill);
    writeTable(page, pdf,
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
    page.text(AmountInWords(double(amounts.amount) / 100.0), Bold(9));
    page.gap(6);
    page.text(ReverseChargeLine.toString());
    page.gap(6);
    page.rule();

    // The registration with the portal: IRN and QR code only of a registration of this very bill.
    const double registrationTop = page.y();
    if (registration.isValid()) {
        page.text(u"e-Invoice"_s, Bold(9), Margin, Width - QrSide - 10);
        page.text(u"IRN : "_s + registration.answer->irn, Style{8}, Margin, Width - QrSide - 10);
        page.text(u"Ack No : "_s + registration.answer->ackNo, Style{8}, Margin, Width - QrSide - 10);
        page.text(u"Ack Date : "_s + registration.answer->ackDate.toString(u"dd-MM-yyyy HH:mm"_s), Style{8}, Margin,
                  Width - QrSide - 10);
        const QImage code = qrCodeImage(registration.answer->signedQrCode);
        if (!code.isNull())
            drawQrCode(pdf, code, QRectF(Margin + Width - QrSide, registrationTop, QrSide, QrSide));
        page.setY(qMax(page.y(), registrationTop + QrSide) + 10);
    } else if (registration.state == BillRegistration::State::Changed) {
        page.text(u"Registered e-invoice does not match this bill"_s, Bold(9));
    } else if (registration.state == BillRegistration::State::Cancelled) {
        page.text(u"e-invoice IRN cancelled on "_s + registration.answer->cancelDate.toString(u"dd-MM-yyyy HH:mm"_s)
                      + u": not yet registered again"_s,
                  Bold(9));
    } else if (registered) {
        page.text(u"e-invoice not yet registered"_s, Bold(9));
    }

    // The signatory.
    page.gap(20);
    page.text(u"For "_s + seller.legalName, Bold(9), Margin + 300, Width - 300);
    page.gap(40);
    page.text(u"Authorised Signatory"_s, Style{9}, Margin + 300, Width - 300);
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
    const InvoiceFonts fonts{PdfFont::load(u"DejaVu Sans"_s, false), PdfFont::load(u"DejaVu Sans"_s, true)};
    if (!fonts.regular || !fonts.bold)
        return u"no font for the tax invoices (DejaVu Sans)"_s;
    PdfDocument pdf(output.device(), PageWidth, PageHeight);
    pdf.setTitle(u"Tax invoices"_s);
    pdf.setCreator(u"selvoro"_s);
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
            writePage(pdf, fonts, bill, seller, registration, copy);
        }
        if (!goOn(progress, ++done, int(printable.size())))
            return Msg::OutputStopped;  // the caller puts nothing in place
    }
    const std::optional<QString> failure = pdf.finish();
    if (output.device().error() != QFileDevice::NoError)
        return output.failure();
    if (failure)
        return u"cannot write "_s + output.path() + u": "_s + *failure;
    return std::nullopt;
}

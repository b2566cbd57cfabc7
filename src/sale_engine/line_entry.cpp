#include "line_entry.h"

#include "sale_modes.h"

#include "common/amount_families.h"
#include "common/clock.h"
#include "common/formats.h"
#include "common/language.h"
#include "common/sale_figures.h"
#include "store/data_module.h"
#include "store/suspended_views.h"

double codeFromText(const QString &text)
{
    double value = 0;
    return numberFromText(text.trimmed(), value) ? value : 0.0;
}

QString lineDisplayText(const QString &label, const QString &amountText, int columns)
{
    const QString row = formatLine(u"%-9s %10s", {label, amountText});
    if (row.size() <= columns)
        return row;
    const QString amount = amountText.rightJustified(10);
    const qsizetype labelRoom = columns - 1 - amount.size();
    if (labelRoom <= 0)
        return amountText.trimmed().rightJustified(columns); // an amount is never cut
    return label.left(labelRoom).leftJustified(labelRoom) + QLatin1Char(' ') + amount;
}

bool promotionApplies(const QDate &start, const QDate &end, const QDateTime &now)
{
    if (!end.isValid())
        return false;
    const bool started = !start.isValid() || now >= QDateTime(start, QTime(0, 0));
    return started && now <= QDateTime(end, QTime(0, 0));
}

LineEntry::LineEntry(TDataModule2 &dm, SaleModes &modes) : dm_(dm), modes_(modes) {}

bool LineEntry::currentLineUnfinished(double code)
{
    Table &product = dm_.producttb;
    if (!product.findKey(code))
        return true;
    return dm_.tmpdetail.field(QStringLiteral("Trx_total")).asFloat() == 0
        && product.field(QStringLiteral("Product_price")).asFloat() != 0;
}

void LineEntry::appendEntryLine()
{
    modes_.voidItem = false;
    Table &line = dm_.tmpdetail;
    const SuspendedViews quiet{&line};
    line.append();
    line.field(QStringLiteral("Trx_qty")).setFloat(1);
    for (const char *zero : {"Trx_price", "Trx_dsc_per", "Trx_dscamt", "Trx_total", "Trx_dsc", "Trx_cost"})
        line.field(QLatin1String(zero)).setFloat(0);
    line.field(QStringLiteral("Trx_promo")).setBoolean(false);
    line.field(QStringLiteral("Trx_cpn")).setInteger(0);
    line.post();
}

bool LineEntry::fillFromProduct(double code)
{
    Table &product = dm_.producttb;
    if (!product.findKey(code))
        return false;
    auto from = [&product](const char *name) { return product.field(QLatin1String(name)); };

    Table &line = dm_.tmpdetail;
    const SuspendedViews quiet{&line};
    line.edit();
    auto to = [&line](const char *name) { return line.field(QLatin1String(name)); };
    to("Trx_upc").setFloat(code);
    to("Trx_short_desc").setString(from("Product_short_desc").asString());
    to("Trx_desc").setString(from("Product_desc").asString());

    double price = from("Product_price").asFloat();
    if (promotionApplies(from("Product_promo_start").asDate(), from("Product_promo_end").asDate(), Clock::now()))
        price = from("Product_promo").asFloat();
    if (modes_.receiving)
        price = from("Product_avg_cost").asFloat();
    to("Trx_price").setFloat(price);

    for (const char *zero : {"Trx_dscamt", "Trx_total", "Trx_dsc", "Trx_dsc_per"})
        to(zero).setFloat(0);
    to("Trx_cpn").setInteger(0);
    to("Trx_promo").setBoolean(false);
    to("Trx_qty").setFloat(modes_.voidItem || modes_.returnMode ? -1 : 1);
    to("Trx_cost").setFloat(from("Product_avg_cost").asFloat());
    for (int n = 1; n <= TaxCount; ++n)
        line.field(numbered("Trx_tx", n)).setBoolean(product.field(numbered("Product_tx", n)).asBoolean());
    return true;
}

bool LineEntry::removeLinesWithoutProduct()
{
    Table &lines = dm_.tmpdetail;
    const SuspendedViews quiet{&lines};
    const Field code = lines.field(QStringLiteral("Trx_upc"));
    const Field description = lines.field(QStringLiteral("Trx_short_desc"));
    const Field price = lines.field(QStringLiteral("Trx_price"));
    QList<qint64> withoutProduct;
    bool amountRemoved = false;
    for (lines.first(); !lines.eof(); lines.next()) {
        // A line rung from a product stays when the product is deleted
        // meanwhile (on another lane): the sale keeps what was rung.
        const bool rung = !description.asString().isEmpty() || price.asFloat() != 0;
        if (code.isNull() || (!rung && !dm_.producttb.findKey(code.asFloat()))) {
            withoutProduct.append(lines.currentRowid());
            amountRemoved = amountRemoved || lines.field(QStringLiteral("Trx_total")).asFloat() != 0;
        }
    }
    for (qint64 line : withoutProduct)
        if (lines.moveToRowid(line))
            lines.deleteRecord();
    return amountRemoved;
}

void LineEntry::applySignRule()
{
    if (!modes_.voidItem && !modes_.returnMode)
        return;
    Table &line = dm_.tmpdetail;
    Field quantity = line.field(QStringLiteral("Trx_qty"));
    if (quantity.asFloat() > 0) {
        line.edit();
        quantity.setFloat(-quantity.asFloat());
    }
}

void LineEntry::priceLine()
{
    Table &line = dm_.tmpdetail;
    const SuspendedViews quiet{&line};
    const long double quantity = line.field(QStringLiteral("Trx_qty")).asFloat();
    const long double price = line.field(QStringLiteral("Trx_price")).asFloat();
    const long double percent = line.field(QStringLiteral("Trx_dsc_per")).asFloat();
    const double discount = static_cast<double>(percent * 0.01L * (quantity * price));
    const long double total = quantity * price - static_cast<long double>(discount);
    if (!withinAmountLimit(total) || !withinAmountLimit(discount))
        throw AmountLimitError(
            chooseText(QStringLiteral("A line total cannot pass %1; the line is not priced."),
                       QStringLiteral("Le total d'une ligne ne peut pas dépasser %1; la ligne n'est pas évaluée."))
                .arg(currencyText(AmountLimit)));
    line.edit();
    line.field(QStringLiteral("Trx_dscamt")).setFloat(discount);
    line.field(QStringLiteral("Trx_total")).setFloat(static_cast<double>(total));
    line.post();
}

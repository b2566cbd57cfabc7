#include "report_expression.h"

#include "store/data_module.h"
#include "store/store_error.h"

#include <QHash>

TableResolver dataModuleTables(TDataModule2 &dm)
{
    const QHash<QString, Table *> byName{
        {QStringLiteral("cashiertb"), &dm.cashiertb}, {QStringLiteral("producttb"), &dm.producttb},
        {QStringLiteral("DeptTb"), &dm.DeptTb},       {QStringLiteral("Control"), &dm.Control},
        {QStringLiteral("fintb"), &dm.fintb},         {QStringLiteral("tranmaster"), &dm.tranmaster},
        {QStringLiteral("trandetail"), &dm.trandetail}, {QStringLiteral("tmpmaster"), &dm.tmpmaster},
        {QStringLiteral("tmpdetail"), &dm.tmpdetail}, {QStringLiteral("Moneytb"), &dm.Moneytb},
    };
    return [byName](const QString &name) { return byName.value(name); };
}

struct ReportExpression::Node {
    virtual ~Node() = default;
    virtual long double value() const = 0;
};

struct ReportExpression::Sum : Node {
    explicit Sum(std::unique_ptr<Node> argument) : argument(std::move(argument)) {}
    long double value() const override { return total; }
    std::unique_ptr<Node> argument;
    long double total = 0;
};

namespace {

using Node = ReportExpression::Node;

struct Constant : Node {
    explicit Constant(long double v) : v(v) {}
    long double value() const override { return v; }
    long double v;
};

struct FieldValue : Node {
    FieldValue(Table *table, int index) : table(table), index(index) {}
    long double value() const override { return table->field(index).asFloat(); }
    Table *table;
    int index;
};

struct Negation : Node {
    explicit Negation(std::unique_ptr<Node> operand) : operand(std::move(operand)) {}
    long double value() const override { return -operand->value(); }
    std::unique_ptr<Node> operand;
};

struct Arithmetic : Node {
    Arithmetic(QChar op, std::unique_ptr<Node> left, std::unique_ptr<Node> right)
        : op(op), left(std::move(left)), right(std::move(right)) {}
    long double value() const override
    {
        const long double a = left->value();
        const long double b = right->value();
        switch (op.unicode()) {
        case '+': return a + b;
        case '-': return a - b;
        case '*': return a * b;
        default: return b == 0 ? 0 : a / b;
        }
    }
    QChar op;
    std::unique_ptr<Node> left, right;
};

// Recursive descent over:
//   sum     := term (("+" | "-") term)*
//   term    := factor (("*" | "/") factor)*
//   factor  := number | "-" factor | "(" sum ")" | "SUM(" sum ")" | table "." field
class Parser {
public:
    Parser(const QString &text, const TableResolver &tables, std::vector<ReportExpression::Sum *> &sums)
        : text_(text), tables_(tables), sums_(sums) {}

    std::unique_ptr<Node> parse()
    {
        auto node = sum();
        skipBlanks();
        if (pos_ < text_.size())
            fail(QStringLiteral("unexpected \"%1\"").arg(text_.mid(pos_)));
        return node;
    }

private:
    std::unique_ptr<Node> sum()
    {
        auto node = term();
        for (QChar op = peekOperator(QStringLiteral("+-")); !op.isNull(); op = peekOperator(QStringLiteral("+-"))) {
            ++pos_;
            node = std::make_unique<Arithmetic>(op, std::move(node), term());
        }
        return node;
    }

    std::unique_ptr<Node> term()
    {
        auto node = factor();
        for (QChar op = peekOperator(QStringLiteral("*/")); !op.isNull(); op = peekOperator(QStringLiteral("*/"))) {
            ++pos_;
            node = std::make_unique<Arithmetic>(op, std::move(node), factor());
        }
        return node;
    }

    std::unique_ptr<Node> factor()
    {
        skipBlanks();
        if (pos_ >= text_.size())
            fail(QStringLiteral("a value is missing at the end"));
        const QChar c = text_[pos_];
        if (c == QLatin1Char('-')) {
            ++pos_;
            return std::make_unique<Negation>(factor());
        }
        if (c == QLatin1Char('(')) {
            ++pos_;
            auto inner = sum();
            expect(QLatin1Char(')'));
            return inner;
        }
        if (c.isDigit() || c == QLatin1Char('.'))
            return number();
        const QString name = identifier();
        if (name.compare(QLatin1String("SUM"), Qt::CaseInsensitive) == 0 && peekOperator(QStringLiteral("(")) == QLatin1Char('(')) {
            if (insideSum_)
                fail(QStringLiteral("SUM inside SUM"));
            ++pos_;
            insideSum_ = true;
            auto argument = sum();
            insideSum_ = false;
            expect(QLatin1Char(')'));
            auto node = std::make_unique<ReportExpression::Sum>(std::move(argument));
            sums_.push_back(node.get());
            return node;
        }
        expect(QLatin1Char('.'));
        return field(name, identifier());
    }

    std::unique_ptr<Node> number()
    {
        const qsizetype start = pos_;
        while (pos_ < text_.size() && (text_[pos_].isDigit() || text_[pos_] == QLatin1Char('.')))
            ++pos_;
        bool ok = false;
        const double v = text_.mid(start, pos_ - start).toDouble(&ok);
        if (!ok)
            fail(QStringLiteral("\"%1\" is not a number").arg(text_.mid(start, pos_ - start)));
        return std::make_unique<Constant>(v);
    }

    std::unique_ptr<Node> field(const QString &tableName, const QString &fieldName)
    {
        Table *table = tables_ ? tables_(tableName) : nullptr;
        if (!table)
            fail(QStringLiteral("no table is named \"%1\"").arg(tableName));
        try {
            return std::make_unique<FieldValue>(table, table->fieldIndex(fieldName));
        } catch (const StoreError &e) {
            fail(e.message());
        }
    }

    QString identifier()
    {
        skipBlanks();
        const qsizetype start = pos_;
        while (pos_ < text_.size() && (text_[pos_].isLetterOrNumber() || text_[pos_] == QLatin1Char('_')))
            ++pos_;
        if (start == pos_)
            fail(QStringLiteral("a name is expected at \"%1\"").arg(text_.mid(start)));
        return text_.mid(start, pos_ - start);
    }

    QChar peekOperator(const QString &operators)
    {
        skipBlanks();
        return pos_ < text_.size() && operators.contains(text_[pos_]) ? text_[pos_] : QChar();
    }

    void expect(QChar c)
    {
        if (peekOperator(QString(c)) != c)
            fail(QStringLiteral("\"%1\" is expected").arg(c));
        ++pos_;
    }

    void skipBlanks()
    {
        while (pos_ < text_.size() && text_[pos_].isSpace())
            ++pos_;
    }

    [[noreturn]] void fail(const QString &why) const
    {
        throw ReportDefinitionError(QStringLiteral("Expression \"%1\": %2").arg(text_, why).toStdString());
    }

    const QString &text_;
    const TableResolver &tables_;
    std::vector<ReportExpression::Sum *> &sums_;
    qsizetype pos_ = 0;
    bool insideSum_ = false;
};

}

ReportExpression::ReportExpression(const QString &text, const TableResolver &tables) : text_(text)
{
    root_ = Parser(text_, tables, sums_).parse();
}

ReportExpression::~ReportExpression() = default;
ReportExpression::ReportExpression(ReportExpression &&) noexcept = default;

long double ReportExpression::value() const
{
    return root_->value();
}

void ReportExpression::accumulate()
{
    for (Sum *sum : sums_)
        sum->total += sum->argument->value();
}

void ReportExpression::resetSums()
{
    for (Sum *sum : sums_)
        sum->total = 0;
}

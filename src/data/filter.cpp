#include "filter.h"

namespace crx {
namespace {

struct Token {
    enum Kind { End, Name, Number, Text, Op, LParen, RParen } kind = End;
    QString text;
    int pos = 0;
};

class Parser
{
public:
    Parser(const QString &source, const ColumnResolver &columns, const QHash<QString, QVariant> &bound)
        : src_(source), columns_(columns)
    {
        for (auto it = bound.begin(); it != bound.end(); ++it)
            bound_.insert(it.key().toUpper(), it.value());
    }

    CompiledFilter run()
    {
        CompiledFilter out;
        advance();
        if (tok_.kind == Token::End) {
            error("the expression is empty");
        } else {
            out.sql = orExpr();
            if (error_.isEmpty() && tok_.kind != Token::End)
                error("unexpected \"" + tok_.text + "\"");
        }
        out.ok = error_.isEmpty();
        out.error = error_;
        out.params = std::move(params_);
        if (!out.ok)
            out.sql.clear();
        return out;
    }

private:
    struct Operand {
        QString sql;
        bool text = false;
    };

    void error(const QString &what)
    {
        if (error_.isEmpty())
            error_ = what + QStringLiteral(" at position %1").arg(tok_.pos + 1);
    }

    bool isKeyword(const char *word) const
    {
        return tok_.kind == Token::Name && tok_.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }

    void advance()
    {
        while (i_ < src_.size() && src_[i_].isSpace())
            ++i_;
        tok_ = Token{};
        tok_.pos = int(i_);
        if (i_ >= src_.size())
            return;
        const QChar c = src_[i_];
        if (c.isLetter() || c == '_') {
            const qsizetype start = i_;
            while (i_ < src_.size() && (src_[i_].isLetterOrNumber() || src_[i_] == '_' || src_[i_] == ':'))
                ++i_;
            tok_.kind = Token::Name;
            tok_.text = src_.mid(start, i_ - start);
        } else if (c.isDigit() || (c == '.' && i_ + 1 < src_.size() && src_[i_ + 1].isDigit())) {
            const qsizetype start = i_;
            while (i_ < src_.size() && (src_[i_].isDigit() || src_[i_] == '.'))
                ++i_;
            tok_.kind = Token::Number;
            tok_.text = src_.mid(start, i_ - start);
        } else if (c == '\'' || c == '"') {
            ++i_;
            QString text;
            bool closed = false;
            while (i_ < src_.size()) {
                if (src_[i_] == c) {
                    if (i_ + 1 < src_.size() && src_[i_ + 1] == c) {
                        text += c;
                        i_ += 2;
                        continue;
                    }
                    ++i_;
                    closed = true;
                    break;
                }
                text += src_[i_++];
            }
            if (!closed)
                error("a quoted text is not closed");
            tok_.kind = Token::Text;
            tok_.text = text;
        } else if (c == '(' || c == ')') {
            ++i_;
            tok_.kind = c == '(' ? Token::LParen : Token::RParen;
            tok_.text = c;
        } else {
            static const char *ops[] = {"<>", "<=", ">=", "=", "<", ">", "-"};
            for (const char *op : ops)
                if (src_.mid(i_).startsWith(QLatin1String(op))) {
                    tok_.kind = Token::Op;
                    tok_.text = QLatin1String(op);
                    i_ += tok_.text.size();
                    return;
                }
            tok_.kind = Token::Op;
            tok_.text = c;
            ++i_;
            error("unexpected \"" + QString(c) + "\"");
        }
    }

    QString param(const QVariant &value)
    {
        params_.push_back(value);
        return QStringLiteral("?");
    }

    QString orExpr()
    {
        QString sql = andExpr();
        while (error_.isEmpty() && isKeyword("OR")) {
            advance();
            sql = "(" + sql + " OR " + andExpr() + ")";
        }
        return sql;
    }

    QString andExpr()
    {
        QString sql = notExpr();
        while (error_.isEmpty() && isKeyword("AND")) {
            advance();
            sql = "(" + sql + " AND " + notExpr() + ")";
        }
        return sql;
    }

    QString notExpr()
    {
        if (isKeyword("NOT")) {
            advance();
            return "(NOT " + notExpr() + ")";
        }
        return test();
    }

    static QString checked(const Operand &o)
    {
        return o.text ? "(" + o.sql + " <> '')" : "(" + o.sql + " <> 0)";
    }

    QString test()
    {
        const Operand left = operand();
        if (!error_.isEmpty())
            return {};
        if (tok_.kind == Token::Op && QStringList{"=", "<>", "<", ">", "<=", ">="}.contains(tok_.text)) {
            const QString op = tok_.text;
            advance();
            const Operand right = operand();
            return "(" + left.sql + " " + op + " " + right.sql + ")";
        }
        if (isKeyword("BEGINS")) {
            advance();
            if (!isKeyword("WITH")) {
                error("BEGINS must be followed by WITH");
                return {};
            }
            advance();
            const Operand right = operand();
            return "(instr(crx_upper(" + left.sql + "), crx_upper(" + right.sql + ")) = 1)";
        }
        if (isKeyword("CONTAINS")) {
            advance();
            const Operand right = operand();
            return "(instr(crx_upper(" + left.sql + "), crx_upper(" + right.sql + ")) > 0)";
        }
        if (isKeyword("IS")) {
            advance();
            bool negate = false;
            if (isKeyword("NOT")) {
                negate = true;
                advance();
            }
            if (!isKeyword("CHECKED")) {
                error("IS must be followed by CHECKED or NOT CHECKED");
                return {};
            }
            advance();
            return negate ? "(NOT " + checked(left) + ")" : checked(left);
        }
        return checked(left);
    }

    Operand operand()
    {
        Operand out;
        switch (tok_.kind) {
        case Token::Number: {
            bool ok = false;
            const qlonglong whole = tok_.text.toLongLong(&ok);
            out.sql = param(ok ? QVariant(whole) : QVariant(tok_.text.toDouble()));
            advance();
            return out;
        }
        case Token::Text: {
            QString text = tok_.text;
            while (text.endsWith(' '))
                text.chop(1);
            out.sql = param(text);
            out.text = true;
            advance();
            return out;
        }
        case Token::LParen: {
            advance();
            out.sql = orExpr();
            if (tok_.kind != Token::RParen)
                error("a closing parenthesis is missing");
            else
                advance();
            return out;
        }
        case Token::Op:
            if (tok_.text == "-") {
                advance();
                const Operand inner = operand();
                out.sql = "(-" + inner.sql + ")";
                return out;
            }
            break;
        case Token::Name: {
            const QString name = tok_.text;
            if (name.compare("UPPER", Qt::CaseInsensitive) == 0) {
                advance();
                if (tok_.kind != Token::LParen) {
                    error("UPPER must be followed by (");
                    return out;
                }
                advance();
                const Operand inner = operand();
                if (tok_.kind != Token::RParen) {
                    error("a closing parenthesis is missing");
                    return out;
                }
                advance();
                out.sql = "crx_upper(" + inner.sql + ")";
                out.text = true;
                return out;
            }
            for (const char *word : {"AND", "OR", "NOT", "IS", "BEGINS", "WITH", "CONTAINS", "CHECKED"})
                if (name.compare(QLatin1String(word), Qt::CaseInsensitive) == 0) {
                    error("a value is missing before \"" + name + "\"");
                    return out;
                }
            const auto boundIt = bound_.constFind(name.toUpper());
            if (boundIt != bound_.constEnd()) {
                QVariant value = *boundIt;
                out.text = value.typeId() == QMetaType::QString;
                if (out.text) {
                    QString text = value.toString();
                    while (text.endsWith(' '))
                        text.chop(1);
                    value = text;
                }
                out.sql = param(value);
                advance();
                return out;
            }
            const FilterColumn column = columns_(name);
            if (!column.found) {
                error("unknown name \"" + name + "\"");
                return out;
            }
            out.sql = column.sql;
            out.text = column.text;
            advance();
            return out;
        }
        default:
            break;
        }
        error(tok_.kind == Token::End ? QStringLiteral("a value is missing at the end")
                                      : "unexpected \"" + tok_.text + "\"");
        return out;
    }

    const QString &src_;
    const ColumnResolver &columns_;
    QHash<QString, QVariant> bound_;
    qsizetype i_ = 0;
    Token tok_;
    QString error_;
    std::vector<QVariant> params_;
};

} // namespace

CompiledFilter compileFilter(const QString &expression, const ColumnResolver &columns,
                             const QHash<QString, QVariant> &bound)
{
    return Parser(expression, columns, bound).run();
}

} // namespace crx

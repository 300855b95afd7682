#include "formulaoperations.h"

#include <muParser.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include <QtGlobal>

namespace {

// Set when a NaN goes into or comes out of anything a formula computes, so
// that none can be swallowed on its way (min() choosing the other value, a
// comparison answering false, the parser's own ?: choosing a branch on it).
// The parser's operators take no context; an evaluation runs on one thread.
thread_local bool noValueMet = false;

double noting(double value)
{
    if (std::isnan(value))
        noValueMet = true;
    return value;
}

template <mu::fun_type1 function>
double unary(double x)
{
    return noting(std::isnan(x) ? x : function(x));
}

template <mu::fun_type2 function>
double binary(double x, double y)
{
    return noting(std::isnan(x) || std::isnan(y) ? qQNaN() : function(x, y));
}

template <mu::multfun_type function>
double variadic(const double *values, int count)
{
    const bool none = std::any_of(values, values + count, [](double value) { return std::isnan(value); });
    return noting(none ? qQNaN() : function(values, count));
}

double negative(double x) { return -x; }
double positive(double x) { return x; }
double sign(double x) { return x > 0 ? 1 : x < 0 ? -1 : 0; }
// Halves upwards (-2.5 to -2), as rint() has always rounded here.
double roundHalfUp(double x) { return std::floor(x + 0.5); }
double plus(double x, double y) { return x + y; }
double minus(double x, double y) { return x - y; }
double times(double x, double y) { return x * y; }
// A division by zero has no value, not an infinity that min() or a
// comparison would turn into one.
double divide(double x, double y) { return y == 0 ? qQNaN() : x / y; }
// Squares, as in a magnitude, without the cost of a general power.
double power(double x, double y) { return y == 2 ? x * x : std::pow(x, y); }
double less(double x, double y) { return x < y; }
double lessOrEqual(double x, double y) { return x <= y; }
double greater(double x, double y) { return x > y; }
double greaterOrEqual(double x, double y) { return x >= y; }
double equal(double x, double y) { return x == y; }
double unequal(double x, double y) { return x != y; }
double both(double x, double y) { return x != 0 && y != 0; }
double either(double x, double y) { return x != 0 || y != 0; }
double sum(const double *values, int count) { return std::accumulate(values, values + count, 0.0); }
double least(const double *values, int count) { return *std::min_element(values, values + count); }
double most(const double *values, int count) { return *std::max_element(values, values + count); }

struct Operator
{
    const char *name;
    mu::fun_type2 function;
    int priority;
    mu::EOprtAssociativity associativity;
};

const Operator operators[] = {
    {"||", binary<either>, mu::prLOR, mu::oaLEFT},
    {"&&", binary<both>, mu::prLAND, mu::oaLEFT},
    {"<", binary<less>, mu::prCMP, mu::oaLEFT},
    {"<=", binary<lessOrEqual>, mu::prCMP, mu::oaLEFT},
    {">", binary<greater>, mu::prCMP, mu::oaLEFT},
    {">=", binary<greaterOrEqual>, mu::prCMP, mu::oaLEFT},
    {"==", binary<equal>, mu::prCMP, mu::oaLEFT},
    {"!=", binary<unequal>, mu::prCMP, mu::oaLEFT},
    {"+", binary<plus>, mu::prADD_SUB, mu::oaLEFT},
    {"-", binary<minus>, mu::prADD_SUB, mu::oaLEFT},
    {"*", binary<times>, mu::prMUL_DIV, mu::oaLEFT},
    {"/", binary<divide>, mu::prMUL_DIV, mu::oaLEFT},
    {"^", binary<power>, mu::prPOW, mu::oaRIGHT},
};

template <typename Function>
struct Named
{
    const char *name;
    Function function;
};

// The library's functions are called here, never taken by address: taking
// one's address can bind every call of it in the program to another of its
// variants, one that rounds the last bit otherwise.
double sinOf(double x) { return std::sin(x); }
double cosOf(double x) { return std::cos(x); }
double tanOf(double x) { return std::tan(x); }
double asinOf(double x) { return std::asin(x); }
double acosOf(double x) { return std::acos(x); }
double atanOf(double x) { return std::atan(x); }
double sinhOf(double x) { return std::sinh(x); }
double coshOf(double x) { return std::cosh(x); }
double tanhOf(double x) { return std::tanh(x); }
double asinhOf(double x) { return std::asinh(x); }
double acoshOf(double x) { return std::acosh(x); }
double atanhOf(double x) { return std::atanh(x); }
double log2Of(double x) { return std::log2(x); }
double log10Of(double x) { return std::log10(x); }
double logOf(double x) { return std::log(x); }
double expOf(double x) { return std::exp(x); }
double sqrtOf(double x) { return std::sqrt(x); }
double absOf(double x) { return std::fabs(x); }
double atan2Of(double y, double x) { return std::atan2(y, x); }

const Named<mu::fun_type1> unaryFunctions[] = {
    {"sin", unary<sinOf>},     {"cos", unary<cosOf>},     {"tan", unary<tanOf>},
    {"asin", unary<asinOf>},   {"acos", unary<acosOf>},   {"atan", unary<atanOf>},
    {"sinh", unary<sinhOf>},   {"cosh", unary<coshOf>},   {"tanh", unary<tanhOf>},
    {"asinh", unary<asinhOf>}, {"acosh", unary<acoshOf>}, {"atanh", unary<atanhOf>},
    {"log2", unary<log2Of>},   {"log10", unary<log10Of>}, {"log", unary<logOf>},
    {"ln", unary<logOf>},      {"exp", unary<expOf>},     {"sqrt", unary<sqrtOf>},
    {"sign", unary<sign>},     {"rint", unary<roundHalfUp>}, {"abs", unary<absOf>}};
const Named<mu::fun_type2> binaryFunctions[] = {{"atan2", binary<atan2Of>}};
const Named<mu::multfun_type> variadicFunctions[] = {
    {"sum", variadic<sum>}, {"min", variadic<least>}, {"max", variadic<most>}};

// Every operator and function of a formula is one of the above, none of the
// parser's own, and none is folded while parsing: each sees every NaN at
// every evaluation.
void defineAll(mu::Parser &parser)
{
    parser.EnableOptimizer(false);
    parser.EnableBuiltInOprt(false);
    parser.ClearFun();
    parser.ClearInfixOprt();
    parser.ClearPostfixOprt();
    for (const Operator &op : operators)
        parser.DefineOprt(op.name, op.function, unsigned(op.priority), op.associativity);
    parser.DefineInfixOprt("-", unary<negative>, mu::prINFIX, false);
    parser.DefineInfixOprt("+", unary<positive>, mu::prINFIX, false);
    for (const auto &function : unaryFunctions)
        parser.DefineFun(function.name, function.function, false);
    for (const auto &function : binaryFunctions)
        parser.DefineFun(function.name, function.function, false);
    for (const auto &function : variadicFunctions)
        parser.DefineFun(function.name, function.function, false);
}

} // namespace

namespace FormulaOperations {

void defineOn(mu::Parser &parser)
{
    defineAll(parser);
}

const QStringList &functionNames()
{
    static const QStringList names = [] {
        QStringList all;
        for (const auto &function : unaryFunctions)
            all.append(QLatin1String(function.name));
        for (const auto &function : binaryFunctions)
            all.append(QLatin1String(function.name));
        for (const auto &function : variadicFunctions)
            all.append(QLatin1String(function.name));
        return all;
    }();
    return names;
}

bool twoCharacterOperatorAt(const QString &text, int at)
{
    return std::any_of(std::begin(operators), std::end(operators), [&](const Operator &op) {
        return qstrlen(op.name) == 2 && text.midRef(at, 2) == QLatin1String(op.name);
    });
}

void forgetNoValue()
{
    noValueMet = false;
}

bool sawNoValue()
{
    return noValueMet;
}

} // namespace FormulaOperations

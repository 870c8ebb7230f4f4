// The host engine's statements, run on a real store and compared with what the
// host engine gives for them.

#include "Connection.h"
#include "SchemaTables.h"
#include "SqlDialect.h"
#include "StoreError.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QString str(const char *text)
{
    return QString::fromUtf8(text);
}

QStringList strs(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *text : texts)
        list << str(text);
    return list;
}

// Three rows of one learner's years: learner 101 in 2014 and 2013, and a
// learner 999 who is not in Learner_Info.
QStringList yearRows(const char *table)
{
    QStringList rows;
    for (const char *values : {"(101, 2014)", "(101, 2013)", "(999, 2014)"})
        rows << QStringLiteral("INSERT INTO %1 (LearnerID, Data_Year) VALUES %2").arg(str(table), str(values));
    return rows;
}

} // namespace

class DialectTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Connection> m_db;
    int m_stores = 0;

    // What a statement gives, as one text: a query's rows ('|' between rows, ','
    // between fields, NULL as "NULL"; a query of several columns starts with
    // their names), the rows any other statement changed, or "#<number>" (with
    // the description when asked) for a refusal.
    QString outcome(const QString &sql, bool withDescription = false)
    {
        try {
            if (!sql.startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive))
                return QString::number(m_db->execute(sql));
            const Recordset rs = m_db->query(sql);
            QStringList rows;
            if (rs.fieldCount() > 1)
                rows << rs.fieldNames().join(QLatin1Char(','));
            for (int row = 0; row < rs.recordCount(); ++row) {
                QStringList fields;
                for (const QString &field : rs.fieldNames())
                    fields << (rs.value(row, field).isValid() ? rs.text(row, field) : QStringLiteral("NULL"));
                rows << fields.join(QLatin1Char(','));
            }
            return rows.join(QLatin1Char('|'));
        } catch (const StoreError &e) {
            return QLatin1Char('#') + QString::number(e.number())
                + (withDescription ? QLatin1Char(' ') + e.description() : QString());
        }
    }

private slots:
    // Every test starts on a new store holding the program's 22 tables, made by
    // the statements the table check runs.
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        auto db = Connection::create(m_dir.filePath(QStringLiteral("tables.db")));
        for (const QString &table : SchemaTables::dataTables() + SchemaTables::lookupTables())
            db->execute(SchemaTables::createStatement(table));
    }
    void init()
    {
        const QString path = m_dir.filePath(QStringLiteral("store%1.db").arg(++m_stores));
        QVERIFY(QFile::copy(m_dir.filePath(QStringLiteral("tables.db")), path));
        m_db = Connection::open(path);
    }
    void cleanup() { m_db.reset(); }

    void plainStatementsComeBackUnchanged_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("select") << str("Select * from disabilities order by id");
        QTest::newRow("where and order") << str("SELECT Sub_Section, Score FROM SNE_Criteria_For_Selection WHERE LearnerID = 12 AND Data_Year = 2014 AND Sub_Section > 5 AND Sub_Section < 12 ORDER By Sub_Section");
        QTest::newRow("insert with texts") << str("INSERT INTO T (A, B) VALUES (1,'it''s a \"q\" / & #1/2/2014# 2014AND [x]',  2)  ");
        QTest::newRow("brackets and exponent") << str("SELECT [Level], [a/b], 1e3, 2.5E-2, SNE_lu_2x FROM T WHERE [Level] <> 'N/A'");
        QTest::newRow("delete") << str("Delete from multipledisabilities where learnerid = 7");
        QTest::newRow("line breaks") << str("SELECT a\r\n  FROM t\n");
    }
    void plainStatementsComeBackUnchanged()
    {
        QFETCH(QString, sql);
        QCOMPARE(SqlDialect::translate(sql), sql);
    }

    // One expression per row, as "SELECT <expression>"; a refusal carries the
    // host's number and message.
    void expressions_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *expression, const char *expected) {
            QTest::newRow(expression) << str(expression) << str(expected);
        };
        const char *const invalid = "#5 Invalid procedure call or argument";
        // & treats NULL as empty text, binds below + and above =.
        row("'a' & NULL", "a");
        row("NULL & NULL", "NULL");
        row("'n' & 1+2", "n3");
        row("'Smith' & ', ' & 'Anna'", "Smith, Anna");
        row("'R&D' & 'it''s'", "R&Dit's");
        row("Len('ab' & 'cd')", "4");
        row("IIf('a' & 'b' = 'ab', 'yes', 'no')", "yes");
        row("\"say \"\"hi\"\"\" & '!'", "say \"hi\"!");
        // Division is always real.
        row("3/2", "1.5");
        row("1+3/2", "2.5");
        row("7/2/2", "1.75");
        row("'3/2'", "3/2");
        row("IsNull(NULL)", "-1");
        row("IsNull('')", "0");
        row("IIf(IsNull(NULL), False, 5)", "0");
        row("Len('héllo')", "5");
        row("Len(2014)", "4");
        row("Len(NULL)", "NULL");
        row("Mid('20080315', 5, 2)", "03");
        row("Mid('héllo', 2, 1)", "é");
        row("Mid('abcdef', 3)", "cdef");
        row("Mid('abc', 5, 1)", "");
        row("Mid('abc', 2, 10)", "bc");
        row("Mid(NULL, 1, 1)", "NULL");
        row("Mid('abc', 0, 1)", invalid);
        row("Mid('abc', 1, -1)", invalid);
        row("Mid('abc', NULL, 1)", "#94 Invalid use of Null");
        row("Left('20080315', 4)", "2008");
        row("Left('abc', 9)", "abc");
        row("Left('abc', 0)", "");
        row("Left(NULL, 2)", "NULL");
        row("Left('abc', -1)", invalid);
        // CInt rounds halves to the even neighbour and keeps to 16 bits.
        row("CInt(0.5)", "0");
        row("CInt(1.5)", "2");
        row("CInt(2.5)", "2");
        row("CInt(-2.5)", "-2");
        row("CInt(2.51)", "3");
        row("CInt(32767.4)", "32767");
        row("CInt(-32768.4)", "-32768");
        row("CInt(' 12.5 ')", "12");
        row("CInt(NULL)", "NULL");
        row("CInt(32768)", "#6 Overflow");
        row("CInt(32767.5)", "#6 Overflow");
        row("CInt(-32769)", "#6 Overflow");
        row("CInt('abc')", "#13 Type mismatch");
        // Date literals become ISO text; a day-first date is read when the
        // first number cannot be a month.
        row("#2014/03/05#", "2014-03-05");
        row("#3/5/2014#", "2014-03-05");
        row("#25/03/2014#", "2014-03-25");
        row("#2014-12-31 14:30:00#", "2014-12-31 14:30:00");
        row("#31/31/2014#", "#3075 Syntax error in date in query expression '#31/31/2014#'.");
    }
    void expressions()
    {
        QFETCH(QString, expression);
        QFETCH(QString, expected);
        QCOMPARE(outcome(QStringLiteral("SELECT ") + expression, true), expected);
    }

    // Each row: statements that build the fixture, then the statements whose
    // outcomes (joined by " ; ") are compared.
    void statements_data()
    {
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QStringList &setup, const QStringList &steps, const char *expected) {
            QTest::newRow(name) << setup << steps << str(expected);
        };
        const QStringList learners = strs({"Create Table Learner_Info(ID LONG, LearnerID LONG, LSENDisabilities LONG)",
                                           "INSERT INTO Learner_Info (ID, LearnerID) VALUES (101, 9001), (102, 9002)"});

        row("DELETE * FROM", yearRows("SNE_Factors_Community"),
            strs({"DELETE * FROM SNE_Factors_Community WHERE LearnerID = 101 AND Data_Year = 2014",
                  "SELECT LearnerID & '/' & Data_Year FROM SNE_Factors_Community ORDER BY ID"}),
            "1 ; 101/2013|999/2014");
        // Learner 999 is not in Learner_Info: the join keeps it out of the delete.
        row("DELETE t.* FROM t INNER JOIN", learners + yearRows("SNE_ISP"),
            strs({"DELETE SNE_ISP.* FROM SNE_ISP INNER JOIN Learner_Info on SNE_ISP.LearnerID = Learner_Info.ID WHERE SNE_ISP.Data_Year = 2014",
                  "SELECT LearnerID & '/' & Data_Year FROM SNE_ISP ORDER BY ID", "SELECT Count(*) FROM Learner_Info"}),
            "1 ; 101/2013|999/2014 ; 2");
        row("DELETE FROM t t", yearRows("SNE_ISP"),
            strs({"DELETE FROM SNE_ISP SNE_ISP WHERE LearnerID = 101 AND Data_Year = 2014", "SELECT Count(*) FROM SNE_ISP"}), "1 ; 2");
        // The old-layout upgrade: add LearnerID, fill it through the join, drop Learner_ID.
        row("UPDATE t INNER JOIN SET, ALTER ADD and DROP",
            learners + strs({"DROP TABLE SNE_Factors_School",
                             "Create Table SNE_Factors_School(ID COUNTER, Learner_ID LONG, Barrier TEXT(255), Constraint Community_PK Primary Key (ID))",
                             "INSERT INTO SNE_Factors_School (Learner_ID, Barrier) VALUES (9001,'a'), (9002,'b'), (9999,'orphan')"}),
            strs({"ALTER TABLE SNE_Factors_School ADD LearnerID LONG",
                  "UPDATE SNE_Factors_School INNER JOIN Learner_Info as LI ON SNE_Factors_School.Learner_ID = LI.LearnerID SET SNE_Factors_School.LearnerID = LI.ID",
                  "ALTER TABLE SNE_Factors_School DROP COLUMN Learner_ID", "SELECT * FROM SNE_Factors_School ORDER BY ID",
                  "ALTER TABLE SNE_Factors_School DROP COLUMN Learner_ID", "INSERT INTO SNE_Factors_School (LearnerID) VALUES ('abc')"}),
            "0 ; 2 ; 0 ; ID,Barrier,LearnerID|1,a,101|2,b,102|3,orphan,NULL ; #1 ; #275");
        row("UPDATE t INNER JOIN SET WHERE",
            learners + strs({"INSERT INTO SNE_Factors_School (LearnerID, Barrier) VALUES (101,'a'), (102,'b'), (999,'orphan')"}),
            strs({"UPDATE SNE_Factors_School INNER JOIN Learner_Info AS LI ON SNE_Factors_School.LearnerID = LI.ID "
                  "SET SNE_Factors_School.Barrier = 'x' & LI.ID WHERE LI.ID = 102",
                  "SELECT Barrier FROM SNE_Factors_School ORDER BY ID"}),
            "1 ; a|x102|orphan");
        row("UPDATE with a qualified target", learners,
            strs({"UPDATE Learner_Info SET Learner_Info.LSENDisabilities = 4 WHERE Learner_Info.ID = 102",
                  "SELECT LSENDisabilities FROM Learner_Info ORDER BY ID"}),
            "1 ; NULL|4");
        row("year glued to AND",
            strs({"INSERT INTO SNE_Assessment_Supp_Req (LearnerID, GridID, Support_Area, [Level] , Data_Year) VALUES "
                  "(5,1,1,'Level 2',2014), (5,2,3,'Level 4',2014), (5,3,1,'Level 1',2014)"}),
            strs({"SELECT GridID, [Level] FROM SNE_Assessment_Supp_Req WHERE LearnerID = 5 AND Data_Year = 2014AND GridID < 3 ORDER BY GridID",
                  "DELETE FROM SNE_Assessment_Supp_Req WHERE LearnerID = 5 AND Data_Year = 2014AND GridID < 48 and GridID > 2 "}),
            "GridID,Level|1,Level 2|2,Level 4 ; 1");
        const char *const schoolRow = "INSERT INTO SNE_Factors_School (LearnerID, Enabling_Factor, Barrier, Data_Year) VALUES (7,'e','b',2014)";
        row("COUNTER never reuses a number", strs({schoolRow, schoolRow, schoolRow}),
            strs({"DELETE FROM SNE_Factors_School WHERE ID = 3", schoolRow, "SELECT ID FROM SNE_Factors_School ORDER BY ID"}),
            "1 ; 1 ; 1|2|4");
        // TEXT(n) counts characters, not bytes.
        QStringList texts;
        for (const QString &text : {QString(255, QLatin1Char('x')), QString(255, QChar(0x00E9)), QString(256, QLatin1Char('x')),
                                    QString(256, QChar(0x00E9))})
            texts << QStringLiteral("INSERT INTO SNE_Factors_Community (LearnerID, Positive_Influence, Data_Year) VALUES (1,'%1',2014)").arg(text);
        row("TEXT(n)", {}, texts + strs({"INSERT INTO SNE_Health_Professional_Report (Impairment_Type) VALUES ('Perma')",
                                          "SELECT Count(*) FROM SNE_Factors_Community"}),
            "1 ; 1 ; #275 ; #275 ; #275 ; 2");
        row("MEMO, BIT and LONG", {},
            strs({"INSERT INTO SNE_Health_Professional_Report (LearnerID, Comments, Data_Year) VALUES (40000,'0012',2014)",
                  "INSERT INTO SNE_Health_Professional_Report (LearnerID, Medical_Record_Viewed, Data_Year) VALUES (1,True,NULL)",
                  "SELECT LearnerID, Comments, Medical_Record_Viewed, Medical_Record_Attached FROM SNE_Health_Professional_Report ORDER BY ID",
                  "INSERT INTO SNE_ISP (LearnerID) VALUES (2147483647)", "INSERT INTO SNE_ISP (LearnerID) VALUES (3000000000)",
                  "INSERT INTO SNE_ISP (LearnerID) VALUES (-2147483649)", "INSERT INTO SNE_ISP (LearnerID) VALUES ('abc')"}),
            "1 ; 1 ; LearnerID,Comments,Medical_Record_Viewed,Medical_Record_Attached|40000,0012,0,0|1,NULL,1,0 ; 1 ; #275 ; #275 ; #275");
        row("date literal in a column", {},
            strs({"INSERT INTO SNE_DBST_Support_Strategy (LearnerID, Review_Date) VALUES (1, #3/5/2014#)",
                  "SELECT Count(*) FROM SNE_DBST_Support_Strategy WHERE Review_Date = #2014/03/05#",
                  "INSERT INTO SNE_DBST_Support_Strategy (LearnerID, Review_Date) VALUES (2, #31/31/2014#)"}),
            "1 ; 1 ; #3075");
        // A bracketed name keeps its name; a lookup table keeps its key.
        row("[Action] column", {}, strs({"SELECT * FROM SNE_Action_Review"}),
            "ID,LearnerID,Action,Name,Outcome,Designation,Review_Date,Data_Year");
        row("lookup key", {},
            strs({"INSERT INTO SNE_lu_ISP_Actions (ID, DESCRIPTION) VALUES (1,'Learning')",
                  "INSERT INTO SNE_lu_ISP_Actions (ID, DESCRIPTION) VALUES (1,'Other')"}),
            "1 ; #1555");

        // Text compares, sorts and groups ignoring case, é and É included.
        const QStringList people = strs({"Create Table P(ID COUNTER, SName TEXT(50), FName MEMO, Provider TEXT(255))",
                                         "INSERT INTO P (SName, FName, Provider) VALUES ('Jones','anna','Clinic A'), "
                                         "('brown','Émile','CLINIC A'), ('smith','zoë','clinic b'), ('Elan','bob','Clinic B')"});
        row("= ignores case", people, strs({"SELECT Count(*) FROM P WHERE SName = 'JONES'", "SELECT SName FROM P WHERE FName = 'émile'"}),
            "1 ; brown");
        row("IN ignores case", people, strs({"SELECT SName FROM P WHERE FName IN ('ÉMILE', 'ZOË') OR SName IN ('elan') ORDER BY ID"}),
            "brown|smith|Elan");
        row("ORDER BY ignores case", people, strs({"SELECT SName FROM P ORDER BY SName",
                                                   "SELECT SName & ', ' & FName AS N FROM P ORDER BY SName & ', ' & FName"}),
            "brown|Elan|Jones|smith ; brown, Émile|Elan, bob|Jones, anna|smith, zoë");
        row("GROUP BY ignores case", people, strs({"SELECT Count(*) FROM P GROUP BY Provider ORDER BY 1",
                                                   "SELECT Count(*) FROM P GROUP BY Provider & '' ORDER BY 1"}),
            "2|2 ; 2|2");
    }

    void statements()
    {
        QFETCH(QStringList, setup);
        QFETCH(QStringList, steps);
        QFETCH(QString, expected);
        for (const QString &statement : setup)
            m_db->execute(statement);
        QStringList outcomes;
        for (const QString &statement : steps)
            outcomes << outcome(statement);
        QCOMPARE(outcomes.join(QStringLiteral(" ; ")), expected);
    }

    // Rewrites that meet, nest or are left out, each translated exactly;
    // then the PostgreSQL text of each rewrite.
    void translations_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("postgres");
        bool postgres = false;
        const auto row = [&postgres](const char *name, const char *sql, const char *expected) {
            QTest::newRow(qPrintable((postgres ? QStringLiteral("PostgreSQL: ") : QString()) + str(name))) << str(sql) << str(expected) << postgres;
        };
        row("& at every depth",
            "SELECT a & (b & (c & d)) & e, (f & g), ((h)) & i FROM t WHERE x & y = z & 'w' ORDER BY p & q, r",
            "SELECT jet_concat(a, (jet_concat(b, (jet_concat(c, d)))), e), (jet_concat(f, g)), jet_concat(((h)), i) FROM t "
            "WHERE jet_concat(x, y) = jet_concat(z, 'w') ORDER BY jet_concat(p, q) COLLATE NOCASE, r");
        row("& with an operand missing", "SELECT & a, a &, a & & b, a & , b & c FROM t",
            "SELECT & a, a &, a & & b, a & , jet_concat(b, c) FROM t");
        row("& without blanks", "SELECT a&b&c FROM t", "SELECT jet_concat(a,b,c) FROM t");
        row("group left open", "SELECT 'a' & ('b' & 'c'", "SELECT jet_concat('a', (jet_concat('b', 'c'))");
        row("stray closing bracket", "SELECT a & b) & c & d", "SELECT jet_concat(a, b)) & c & d");
        row("aliases, subquery and sort keys",
            "SELECT t.a, u.a, t.b, (SELECT v.c FROM v ORDER BY v.c & 'x'), t.c & t.d AS e FROM t, u "
            "GROUP BY t.a & '', Mid(t.b COLLATE NOCASE, 1) ORDER BY 1 & 2 DESC, t.a ASC",
            "SELECT t.a AS [t.a], u.a AS [u.a], t.b AS b, (SELECT v.c AS c FROM v ORDER BY jet_concat(v.c, 'x') COLLATE NOCASE), "
            "jet_concat(t.c, t.d) AS e FROM t, u GROUP BY jet_concat(t.a, '') COLLATE NOCASE, Mid(t.b COLLATE NOCASE, 1) "
            "ORDER BY jet_concat(1, 2) COLLATE NOCASE DESC, t.a ASC");
        row("literals, division and calls",
            "SELECT DISTINCT t.a, [t].[b], t.a / 2 & #1/2/2014#, \"q\" & IsNull(x) & Left(y, 1) FROM t",
            "SELECT DISTINCT t.a AS a, [t].[b] AS [b], jet_concat(t.a *1.0/ 2, '2014-01-02'), "
            "jet_concat('q', jet_isnull(x), jet_left(y, 1)) FROM t");
        row("dates in a list, # across lines",
            "SELECT a FROM t WHERE d IN (#1/2/2014#, #2014-03-05 14:30#, #3/4/2014#) AND e = 1 / 2\n#a\n#",
            "SELECT a FROM t WHERE d IN ('2014-01-02', '2014-03-05 14:30:00', '2014-03-04') AND e = 1 *1.0/ 2\n#a\n#");
        row("TOP", "SELECT TOP 3 a FROM t ORDER BY a", "SELECT a FROM t ORDER BY a LIMIT 3");
        row("key clause naming the counter in brackets",
            "CREATE TABLE t (ID COUNTER, Name TEXT(50), Note MEMO, CONSTRAINT pk PRIMARY KEY ([id]))",
            "CREATE TABLE t (ID INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT COLLATE NOCASE CHECK (length(Name) <= 50), "
            "Note TEXT COLLATE NOCASE)");

        // Every rewrite at hundreds of positions in one statement.
        QString sql = QStringLiteral("SELECT ");
        QString expected = sql;
        QString keys, expectedKeys;
        for (int i = 0; i < 300; ++i) {
            const QString comma = i ? QStringLiteral(", ") : QString();
            sql += comma + QStringLiteral("t.c%1, t.d%1 / 2 & #%2/1/2014#").arg(i).arg(i % 12 + 1);
            expected += comma + QStringLiteral("t.c%1 AS c%1, jet_concat(t.d%1 *1.0/ 2, '2014-%2-01')").arg(i).arg(i % 12 + 1, 2, 10, QLatin1Char('0'));
            keys += comma + QStringLiteral("t.c%1 & 'x' DESC, t.c%1").arg(i);
            expectedKeys += comma + QStringLiteral("jet_concat(t.c%1, 'x') COLLATE NOCASE DESC, t.c%1").arg(i);
        }
        QTest::newRow("many positions") << sql + QStringLiteral(" FROM t ORDER BY ") + keys + QStringLiteral(" ;")
                                        << expected + QStringLiteral(" FROM t ORDER BY ") + expectedKeys + QStringLiteral(" ;") << false;
        // The host reads a number followed at once by a keyword as two
        // tokens; the area-level statements rely on it.
        row("number glued to a keyword", "SELECT GridID FROM t WHERE Data_Year = 2014AND GridID > 3",
            "SELECT GridID FROM t WHERE Data_Year = 2014 AND GridID > 3");
        row("exponent", "SELECT 1e3 AS x", "SELECT 1e3 AS x");

        // PostgreSQL: names fold to lower case there, bracketed ones too, so a
        // statement finds its table and column however it spells them; the &
        // operands are read as text for jet_concat.
        postgres = true;
        row("plain statement", "SELECT LearnerID, Data_Year FROM SNE_ISP WHERE LearnerID = 12 ORDER BY Data_Year",
            "SELECT LearnerID, Data_Year FROM SNE_ISP WHERE LearnerID = 12 ORDER BY Data_Year");
        row("brackets", "SELECT [Level], [a/b], [T].[Action] FROM SNE_Assessment_Supp_Req T WHERE [Action] <> 'N/A'",
            "SELECT \"level\", \"a/b\", \"t\".\"action\" AS \"action\" FROM SNE_Assessment_Supp_Req T WHERE \"action\" <> 'N/A'");
        row("& chain", "SELECT LI.SName & ' ' & LI.FName AS LName FROM Learner_Info LI",
            "SELECT jet_concat(CAST(LI.SName AS text), CAST(' ' AS text), CAST(LI.FName AS text)) AS LName FROM Learner_Info LI");
        row("& nested, sort key without a collation", "SELECT a & (b & 1) FROM t ORDER BY a & b",
            "SELECT jet_concat(CAST(a AS text), CAST((jet_concat(CAST(b AS text), CAST(1 AS text))) AS text)) FROM t "
            "ORDER BY jet_concat(CAST(a AS text), CAST(b AS text))");
        row("dates, double quotes, division", "SELECT \"x\" AS q, a / 2 FROM t WHERE d = #3/4/2014#",
            "SELECT 'x' AS q, a *1.0/ 2 FROM t WHERE d = '2014-03-04'");
        row("host functions and yes/no words",
            "SELECT IIF(IsNull(HPR.Medical_Record_Viewed), False, HPR.Medical_Record_Viewed) as V, Left(x, 2), Mid(x, 3), "
            "Len(x), CInt(Sum(s)/Count(s)) FROM SNE_Health_Professional_Report HPR",
            "SELECT IIF(jet_isnull(HPR.Medical_Record_Viewed), 0, HPR.Medical_Record_Viewed) as V, jet_left(x, 2), Mid(x, 3), "
            "Len(x), CInt(Sum(s)*1.0/Count(s)) FROM SNE_Health_Professional_Report HPR");
        row("yes/no values written", "INSERT INTO T (A, B, [True]) VALUES (True, false, 1)",
            "INSERT INTO T (A, B, \"true\") VALUES (1, 0, 1)");
        row("TOP", "SELECT DISTINCT TOP 5 ID FROM T ORDER BY ID;", "SELECT DISTINCT ID FROM T ORDER BY ID LIMIT 5;");
        row("DELETE of a join", "DELETE t.* FROM t INNER JOIN u ON t.a = u.a WHERE u.b = 1",
            "DELETE FROM t WHERE ctid IN (SELECT t.ctid FROM t INNER JOIN u ON t.a = u.a WHERE u.b = 1)");
        row("DELETE *", "DELETE * FROM SNE_ISP WHERE LearnerID = 7", "DELETE FROM SNE_ISP WHERE LearnerID = 7");
        row("UPDATE of a join", "UPDATE t INNER JOIN u ON t.a = u.a SET t.b = u.b WHERE u.c = 1",
            "UPDATE t SET b = u.b FROM u WHERE (t.a = u.a) AND (u.c = 1)");
        row("counter, texts, yes/no, key",
            "Create Table SNE_Health_Professional_Report(ID COUNTER, LearnerID LONG, Impairment_Type TEXT(4), "
            "Medical_Record_Viewed BIT, Comments MEMO, Data_Year INTEGER, Constraint Health_PK Primary Key (ID))",
            "Create Table SNE_Health_Professional_Report(ID integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY, LearnerID integer, "
            "Impairment_Type varchar(4) COLLATE nocase, Medical_Record_Viewed smallint NOT NULL DEFAULT 0, "
            "Comments text COLLATE nocase, Data_Year integer)");
        row("lookup key, bracketed column, other types",
            "CREATE TABLE L (ID INTEGER, [Level] TEXT, S SHORT, B BYTE, D DATETIME, F DOUBLE, C CURRENCY, CONSTRAINT LU_PK PRIMARY KEY (ID))",
            "CREATE TABLE L (ID integer, \"level\" text COLLATE nocase, S smallint, B smallint CHECK (B BETWEEN 0 AND 255), "
            "D text, F double precision, C numeric(19,4), CONSTRAINT LU_PK PRIMARY KEY (ID))");
        row("ALTER TABLE", "ALTER TABLE SNE_ISP ADD Learner_ID LONG", "ALTER TABLE SNE_ISP ADD COLUMN Learner_ID integer");
        row("index", "CREATE INDEX IF NOT EXISTS [SNE_ISP_LearnerYear] ON SNE_ISP ([LearnerID], [Data_Year])",
            "CREATE INDEX IF NOT EXISTS \"sne_isp_learneryear\" ON SNE_ISP (\"learnerid\", \"data_year\")");
    }
    void translations()
    {
        QFETCH(QString, sql);
        QFETCH(QString, expected);
        QFETCH(bool, postgres);
        QCOMPARE(SqlDialect::translate(sql, postgres ? SqlDialect::Target::PostgreSQL : SqlDialect::Target::SQLite), expected);
    }

    void nestingHasALimitNotACliff()
    {
        const auto nested = [](int depth) {
            return QStringLiteral("SELECT ") + QString(depth, QLatin1Char('(')) + QStringLiteral("1 & 2")
                + QString(depth, QLatin1Char(')')) + QStringLiteral(" AS x");
        };
        QCOMPARE(SqlDialect::translate(nested(3)), QStringLiteral("SELECT (((jet_concat(1, 2)))) AS x"));
        QVERIFY(SqlDialect::translate(nested(SqlDialect::MaxNesting)).contains(QStringLiteral("jet_concat(1, 2)")));
        // Far deeper than the limit: a store error, not a stack overflow.
        try {
            SqlDialect::translate(nested(12000));
            QFAIL("12,000 nested parentheses were translated");
        } catch (const StoreError &error) {
            QCOMPARE(error.number(), long(StoreError::TooComplex));
            QVERIFY(error.description().contains(QString::number(SqlDialect::MaxNesting)));
        }
    }

    void literalsLeftOpenAreRefused_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("string") << QStringLiteral("SELECT 'O''Brien FROM t");
        QTest::newRow("quoted") << QStringLiteral("SELECT \"abc FROM t");
        QTest::newRow("bracketed") << QStringLiteral("SELECT [Level FROM t");
    }
    void literalsLeftOpenAreRefused()
    {
        QFETCH(QString, sql);
        try {
            SqlDialect::translate(sql);
            QFAIL("an open literal was translated");
        } catch (const StoreError &error) {
            QCOMPARE(error.number(), 3075L);
        }
    }
};

QTEST_GUILESS_MAIN(DialectTest)
#include "tst_dialect.moc"

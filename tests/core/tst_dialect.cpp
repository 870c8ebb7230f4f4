// The host engine's statements, run on a real store and compared with what the
// host engine gives for them.

#include "Connection.h"
#include "SqlDialect.h"
#include "StoreError.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// The create statements of the program's 22 tables, as the table check runs them.
const char *const CreateStatements[] = {
    "Create Table SNE_Learner_Background_Info(ID COUNTER, LearnerID LONG, Nature_Of_Support_Received TEXT(255), Name_Of_Provider TEXT(255), Contact_Details TEXT(255), Family_Situation MEMO, Parent_Understanding_Of_Child MEMO, Data_Year INTEGER, Constraint Background_Info_PK Primary Key (ID))",
    "Create Table SNE_Health_Professional_Report(ID COUNTER, LearnerID LONG, Impairment_Type TEXT(4), Medical_Record_Viewed BIT, Medical_Record_Attached BIT, Comments MEMO, Data_Year INTEGER, Constraint Health_PK Primary Key (ID))",
    "Create Table SNE_Learner_Impairment_Area(ID COUNTER, LearnerID LONG, Impairment_Area INTEGER, Mild_Imp TEXT(255), Moderate_Imp TEXT(255), Severe_Imp TEXT(255), Data_Year INTEGER, Constraint Imp_Area_PK Primary Key (ID))",
    "Create Table SNE_Criteria_For_Selection(ID COUNTER, LearnerID LONG, Sub_Section INTEGER, Score INTEGER, Data_Year INTEGER, Constraint Criteria_PK Primary Key (ID))",
    "Create Table SNE_Criteria_For_Selection_Other(ID COUNTER, LearnerID LONG, None_Mild MEMO, Moderate MEMO, Severe MEMO, Score INTEGER, Data_Year INTEGER, Constraint Criteria_Other_PK Primary Key (ID))",
    "Create Table SNE_Learning_And_Development_Barriers(ID COUNTER, LearnerID LONG, Learning MEMO, Communication MEMO, Behavioural_Social_Competence MEMO, Health_Wellness_Personal_Care MEMO, Physical_Access MEMO, Data_Year INTEGER, Constraint Learning_PK Primary Key (ID))",
    "Create Table SNE_Factors_Community(ID COUNTER, LearnerID LONG, Positive_Influence TEXT(255), Barrier TEXT(255), Data_Year INTEGER, Constraint Community_PK Primary Key (ID))",
    "Create Table SNE_Factors_Classroom(ID COUNTER, LearnerID LONG, Enabling_Factor TEXT(255), Barrier TEXT(255), Data_Year INTEGER, Constraint Community_PK Primary Key (ID))",
    "Create Table SNE_Factors_School(ID COUNTER, LearnerID LONG, Enabling_Factor TEXT(255), Barrier TEXT(255), Data_Year INTEGER, Constraint Community_PK Primary Key (ID))",
    "Create Table SNE_ISP(ID COUNTER, LearnerID LONG, [Action] INTEGER, Target TEXT(255), Strategy TEXT(255), Achievement_Criteria TEXT(255), Person_Responsible TEXT(255), Review_Date TEXT(30), Review_Comments TEXT(255), Data_Year INTEGER, Constraint ISP_PK Primary Key (ID))",
    "Create Table SNE_Assessment_Supp_Req(ID COUNTER, LearnerID LONG, GridID INTEGER, Support_Area INTEGER, [Level] TEXT(20), Data_Year INTEGER, Constraint ASR_PK Primary Key (ID))",
    "Create Table SNE_Assessment_Supp_Req_Rating(ID COUNTER, LearnerID LONG, Support_Area INTEGER,Rating INTEGER, Data_Year INTEGER, Constraint ASRIR_PK Primary Key (ID))",
    "Create Table SNE_Learner_Support_Needs(ID COUNTER, LearnerID LONG, Support_Area INTEGER,Low_Moderate_High TEXT(20), School_Need TEXT(255), School_Available TEXT(255), Data_Year INTEGER, Constraint ASLEARNER_PK Primary Key (ID))",
    "Create Table SNE_ILST_Intervention_Records(ID COUNTER, LearnerID LONG, Whole_School_Development MEMO,Educator_Training MEMO, Learner_Support MEMO, Learner_Parent_Discussed BIT, Learner_Parent_Response MEMO, ILST_Analysis_To_DBST MEMO, Principal_Approve_Request_DBST BIT, Principal_Reason MEMO, Circuit_Manager_Endores BIT, Circuit_Manager_Reason MEMO, Data_Year INTEGER, Constraint ILST_PK Primary Key (ID))",
    "Create Table SNE_DBST_Review_ILST_Request(ID COUNTER, LearnerID LONG, ISLT_Coord_Educ_Req_Made BIT,Parent_Accept_Recom BIT, Parent_Reason MEMO, ISLT_Approved_Reason MEMO, ISLT_Not_Approved_Reason MEMO, DBST_Support_School_Site INTEGER, Senior_Manager_Approval MEMO, School_Discussed_Parent BIT, School_Discussed_Comment MEMO, Data_Year INTEGER, Constraint REV_PK Primary Key (ID))",
    "Create Table SNE_DBST_Support_Strategy(ID COUNTER, LearnerID LONG, Support_Needed TEXT(255), Support_Area INTEGER,Support_Level TEXT(1), School_Steps MEMO, Learner_Steps MEMO, Person_Responsible TEXT(255), Timeframe TEXT(255), Budget TEXT(100), School_Outcome TEXT(255), Learner_Outcome TEXT(255), Designation TEXT(255), Review_Date DATETIME, Data_Year INTEGER, Constraint STR_PK Primary Key (ID))",
    "Create Table SNE_Action_Review(ID COUNTER, LearnerID LONG, [Action] INTEGER, Name TEXT(255), Outcome MEMO,Designation TEXT(255), Review_Date MEMO, Data_Year INTEGER, Constraint STR_K Primary Key (ID))",
    "Create Table SNE_Learner_Supp_Needs(ID COUNTER, LearnerID LONG, Disability_Descr TEXT(255),Psycho_Social_Support TEXT(255), Data_Year INTEGER, Constraint ASLEARNER_PK Primary Key (ID))",
    "Create Table SNE_lu_Impairment_Area(ID INTEGER, Description TEXT(50), Constraint LU_Impairment_PK Primary Key (ID))",
    "Create Table SNE_lu_Activity_Domain_Sub_Section(ID INTEGER, Activity_Domain INTEGER, Description TEXT(50), Constraint LU_Domain_PK Primary Key (ID))",
    "Create Table SNE_lu_ISP_Actions(ID INTEGER, Description TEXT(100), Constraint LU_ISP_PK Primary Key (ID))",
    "Create Table SNE_lu_Activity_Domain_Limit_Desc(ID INTEGER, DescMild MEMO, DescMod MEMO, DescSevere MEMO, Constraint LU_DomainDesc_PK Primary Key (ID))",
};

QString str(const char *text)
{
    return QString::fromUtf8(text);
}

} // namespace

class DialectTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Connection> m_db;
    int m_stores = 0;

    QVariant scalar(const QString &sql)
    {
        Recordset rs = m_db->query(sql);
        if (rs.isEmpty() || rs.fieldCount() == 0)
            return QVariant();
        return rs.value(rs.fieldNames().first());
    }

    // The statement fails with the host engine's number and message.
    void expectFailure(const QString &sql, long number, const QString &message)
    {
        try {
            m_db->query(sql);
            QFAIL(qPrintable(QStringLiteral("no failure for ") + sql));
        } catch (const StoreError &e) {
            QCOMPARE(e.number(), number);
            QCOMPARE(e.description(), message);
        }
    }

    void createAllTables()
    {
        for (const char *statement : CreateStatements)
            m_db->execute(str(statement));
    }

    QStringList column(const QString &sql)
    {
        QStringList values;
        for (Recordset rs = m_db->query(sql); !rs.eof(); rs.moveNext())
            values << (rs.isNull(rs.fieldNames().first()) ? QStringLiteral("<NULL>") : rs.text(rs.fieldNames().first()));
        return values;
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_db = Connection::create(m_dir.filePath(QStringLiteral("store%1.db").arg(++m_stores)));
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

    void concatenationFollowsTheHost_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("NULL operand") << str("'a' & NULL") << QVariant(str("a"));
        QTest::newRow("all NULL") << str("NULL & NULL") << QVariant();
        QTest::newRow("binds below +") << str("'n' & 1+2") << QVariant(str("n3"));
        QTest::newRow("chain") << str("'Smith' & ', ' & 'Anna'") << QVariant(str("Smith, Anna"));
        QTest::newRow("literal with & and apostrophe") << str("'R&D' & 'it''s'") << QVariant(str("R&Dit's"));
        QTest::newRow("inside a function") << str("Len('ab' & 'cd')") << QVariant(4);
        QTest::newRow("binds above =") << str("IIf('a' & 'b' = 'ab', 'yes', 'no')") << QVariant(str("yes"));
        QTest::newRow("double-quoted text") << str("\"say \"\"hi\"\"\" & '!'") << QVariant(str("say \"hi\"!"));
    }
    void concatenationFollowsTheHost()
    {
        QFETCH(QString, expression);
        QFETCH(QVariant, expected);
        const QVariant actual = scalar(QStringLiteral("SELECT ") + expression + QStringLiteral(" AS v"));
        QCOMPARE(actual.isValid(), expected.isValid());
        if (expected.isValid())
            QCOMPARE(actual.toString(), expected.toString());
    }

    void divisionIsAlwaysReal()
    {
        QCOMPARE(scalar(QStringLiteral("SELECT 3/2")).toDouble(), 1.5);
        QCOMPARE(scalar(QStringLiteral("SELECT 1+3/2")).toDouble(), 2.5);
        QCOMPARE(scalar(QStringLiteral("SELECT 7/2/2")).toDouble(), 1.75);
        QCOMPARE(scalar(QStringLiteral("SELECT '3/2'")).toString(), QStringLiteral("3/2"));
    }

    void textFunctions_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("IsNull of NULL") << str("IsNull(NULL)") << QVariant(-1);
        QTest::newRow("IsNull of empty") << str("IsNull('')") << QVariant(0);
        QTest::newRow("IIf with IsNull") << str("IIf(IsNull(NULL), False, 5)") << QVariant(0);
        QTest::newRow("Len") << str("Len('héllo')") << QVariant(5);
        QTest::newRow("Len of a number") << str("Len(2014)") << QVariant(4);
        QTest::newRow("Len of NULL") << str("Len(NULL)") << QVariant();
        QTest::newRow("Mid") << str("Mid('20080315', 5, 2)") << QVariant(str("03"));
        QTest::newRow("Mid counts characters") << str("Mid('héllo', 2, 1)") << QVariant(str("é"));
        QTest::newRow("Mid without length") << str("Mid('abcdef', 3)") << QVariant(str("cdef"));
        QTest::newRow("Mid past the end") << str("Mid('abc', 5, 1)") << QVariant(str(""));
        QTest::newRow("Mid clips the length") << str("Mid('abc', 2, 10)") << QVariant(str("bc"));
        QTest::newRow("Mid of NULL") << str("Mid(NULL, 1, 1)") << QVariant();
        QTest::newRow("Left") << str("Left('20080315', 4)") << QVariant(str("2008"));
        QTest::newRow("Left beyond the end") << str("Left('abc', 9)") << QVariant(str("abc"));
        QTest::newRow("Left of none") << str("Left('abc', 0)") << QVariant(str(""));
        QTest::newRow("Left of NULL") << str("Left(NULL, 2)") << QVariant();
    }
    void textFunctions()
    {
        QFETCH(QString, expression);
        QFETCH(QVariant, expected);
        const QVariant actual = scalar(QStringLiteral("SELECT ") + expression);
        QCOMPARE(actual.isValid(), expected.isValid());
        if (expected.isValid())
            QCOMPARE(actual.toString(), expected.toString());
    }

    void functionErrors_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<long>("number");
        QTest::addColumn<QString>("message");
        const QString invalid = str("Invalid procedure call or argument");
        QTest::newRow("Mid start 0") << str("Mid('abc', 0, 1)") << long(StoreError::FunctionArgument) << invalid;
        QTest::newRow("Mid negative length") << str("Mid('abc', 1, -1)") << long(StoreError::FunctionArgument) << invalid;
        QTest::newRow("Mid NULL start") << str("Mid('abc', NULL, 1)") << long(StoreError::InvalidUseOfNull) << str("Invalid use of Null");
        QTest::newRow("Left negative") << str("Left('abc', -1)") << long(StoreError::FunctionArgument) << invalid;
        QTest::newRow("CInt 32768") << str("CInt(32768)") << long(StoreError::Overflow) << str("Overflow");
        QTest::newRow("CInt rounds into overflow") << str("CInt(32767.5)") << long(StoreError::Overflow) << str("Overflow");
        QTest::newRow("CInt -32769") << str("CInt(-32769)") << long(StoreError::Overflow) << str("Overflow");
        QTest::newRow("CInt text") << str("CInt('abc')") << long(StoreError::TypeMismatch) << str("Type mismatch");
    }
    void functionErrors()
    {
        QFETCH(QString, expression);
        QFETCH(long, number);
        QFETCH(QString, message);
        expectFailure(QStringLiteral("SELECT ") + expression, number, message);
    }

    void cintRoundsHalfToEven_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("0.5") << str("0.5") << QVariant(0);
        QTest::newRow("1.5") << str("1.5") << QVariant(2);
        QTest::newRow("2.5") << str("2.5") << QVariant(2);
        QTest::newRow("-2.5") << str("-2.5") << QVariant(-2);
        QTest::newRow("2.51") << str("2.51") << QVariant(3);
        QTest::newRow("32767.4") << str("32767.4") << QVariant(32767);
        QTest::newRow("-32768.4") << str("-32768.4") << QVariant(-32768);
        QTest::newRow("numeric text") << str("' 12.5 '") << QVariant(12);
        QTest::newRow("mean of 1 and 2") << str("3/2") << QVariant(2);
        QTest::newRow("mean of 2 and 3") << str("5/2") << QVariant(2);
        QTest::newRow("NULL") << str("NULL") << QVariant();
    }
    void cintRoundsHalfToEven()
    {
        QFETCH(QString, argument);
        QFETCH(QVariant, expected);
        const QVariant actual = scalar(QStringLiteral("SELECT CInt(") + argument + QStringLiteral(")"));
        QCOMPARE(actual.isValid(), expected.isValid());
        if (expected.isValid())
            QCOMPARE(actual.toInt(), expected.toInt());
    }

    void dateLiteralsAreStoredAsIsoText()
    {
        m_db->execute(QStringLiteral("Create Table D(ID COUNTER, Testdate DATETIME)"));
        m_db->execute(QStringLiteral("INSERT into D(Testdate)VALUES(#2014/03/05#)"));
        m_db->execute(QStringLiteral("INSERT into D(Testdate)VALUES(#3/5/2014#)"));   // month first
        m_db->execute(QStringLiteral("INSERT into D(Testdate)VALUES(#25/03/2014#)")); // 25 cannot be a month
        m_db->execute(QStringLiteral("INSERT into D(Testdate)VALUES(#2014-12-31 14:30:00#)"));
        QCOMPARE(column(QStringLiteral("SELECT Testdate FROM D ORDER BY ID")),
                 QStringList({QStringLiteral("2014-03-05"), QStringLiteral("2014-03-05"), QStringLiteral("2014-03-25"),
                              QStringLiteral("2014-12-31 14:30:00")}));
        QCOMPARE(scalar(QStringLiteral("SELECT Count(*) FROM D WHERE Testdate = #03/05/2014#")).toInt(), 2);
        try {
            m_db->execute(QStringLiteral("INSERT into D(Testdate)VALUES(#31/31/2014#)"));
            QFAIL("an impossible date was accepted");
        } catch (const StoreError &e) {
            QCOMPARE(e.number(), 3075L);
        }
    }

    void allCreateStatementsRun()
    {
        createAllTables();
        for (const char *statement : CreateStatements) {
            const QString table = str(statement).section(QLatin1Char(' '), 2).section(QLatin1Char('('), 0, 0);
            QVERIFY2(m_db->tableExists(table), qPrintable(table));
            // The table check's probe succeeds on every created table.
            const QString probe = table.startsWith(QLatin1String("SNE_lu_")) ? QStringLiteral("ID") : QStringLiteral("LearnerID");
            m_db->query(QStringLiteral("Select ") + probe + QStringLiteral(" from ") + table);
        }
        QCOMPARE(m_db->columnNames(QStringLiteral("SNE_ISP")).mid(0, 4),
                 QStringList({QStringLiteral("ID"), QStringLiteral("LearnerID"), QStringLiteral("Action"), QStringLiteral("Target")}));
        // A lookup table keeps its key: a second row with the same ID is refused.
        m_db->execute(QStringLiteral("INSERT INTO SNE_lu_ISP_Actions (ID, DESCRIPTION) VALUES (1,'Learning')"));
        QVERIFY_THROWS_EXCEPTION(StoreError, m_db->execute(QStringLiteral("INSERT INTO SNE_lu_ISP_Actions (ID, DESCRIPTION) VALUES (1,'Other')")));
    }

    void counterNumbersRowsAndNeverReusesOne()
    {
        createAllTables();
        const QString insert = QStringLiteral("INSERT INTO SNE_Factors_School (LearnerID, Enabling_Factor, Barrier, Data_Year) VALUES (7,'e','b',2014)");
        for (int i = 0; i < 3; ++i)
            m_db->execute(insert);
        QCOMPARE(column(QStringLiteral("SELECT ID FROM SNE_Factors_School ORDER BY ID")),
                 QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
        QCOMPARE(m_db->execute(QStringLiteral("DELETE FROM SNE_Factors_School WHERE ID = 3")), 1);
        m_db->execute(insert);
        QCOMPARE(column(QStringLiteral("SELECT ID FROM SNE_Factors_School ORDER BY ID")),
                 QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4")}));
    }

    void columnTypesHoldWhatTheHostHolds()
    {
        createAllTables();
        const auto insertText = [this](const QString &text) {
            m_db->execute(QStringLiteral("INSERT INTO SNE_Factors_Community (LearnerID, Positive_Influence, Data_Year) VALUES (1,'")
                          + text + QStringLiteral("',2014)"));
        };
        insertText(QString(255, QLatin1Char('x')));
        insertText(QString(255, QChar(0x00E9))); // characters, not bytes
        QVERIFY_THROWS_EXCEPTION(StoreError, insertText(QString(256, QLatin1Char('x'))));
        QVERIFY_THROWS_EXCEPTION(StoreError, insertText(QString(256, QChar(0x00E9))));
        QVERIFY_THROWS_EXCEPTION(StoreError,
            m_db->execute(QStringLiteral("INSERT INTO SNE_Health_Professional_Report (Impairment_Type) VALUES ('Perma')")));

        // MEMO keeps text as typed; BIT is never NULL; LONG is 32-bit and numeric.
        m_db->execute(QStringLiteral("INSERT INTO SNE_Health_Professional_Report (LearnerID, Comments, Data_Year) VALUES (40000,'0012',2014)"));
        Recordset rs = m_db->query(QStringLiteral("SELECT LearnerID, Comments, Medical_Record_Viewed, Medical_Record_Attached FROM SNE_Health_Professional_Report"));
        QCOMPARE(rs.text(QStringLiteral("Comments")), QStringLiteral("0012"));
        QCOMPARE(rs.value(QStringLiteral("Medical_Record_Viewed")), QVariant(qlonglong(0)));
        QCOMPARE(rs.value(QStringLiteral("LearnerID")).toLongLong(), 40000LL);
        m_db->execute(QStringLiteral("INSERT INTO SNE_Health_Professional_Report (LearnerID, Medical_Record_Viewed, Data_Year) VALUES (1,True,NULL)"));
        QCOMPARE(scalar(QStringLiteral("SELECT Medical_Record_Viewed FROM SNE_Health_Professional_Report WHERE LearnerID = 1")).toInt(), 1);
        for (const QString &bad : {QStringLiteral("3000000000"), QStringLiteral("'abc'"), QStringLiteral("-2147483649")}) {
            QVERIFY_THROWS_EXCEPTION(StoreError,
                m_db->execute(QStringLiteral("INSERT INTO SNE_ISP (LearnerID) VALUES (") + bad + QStringLiteral(")")));
        }
        try {
            insertText(QString(300, QLatin1Char('y')));
            QFAIL("an over-long text was stored");
        } catch (const StoreError &e) {
            QCOMPARE(e.number(), 275L); // SQLITE_CONSTRAINT_CHECK
        }
    }

    void alterTableAddAndDropColumn()
    {
        m_db->execute(QStringLiteral("Create Table T(ID COUNTER, Learner_ID LONG, Constraint T_PK Primary Key (ID))"));
        m_db->execute(QStringLiteral("ALTER TABLE T ADD LearnerID LONG"));
        QVERIFY_THROWS_EXCEPTION(StoreError, m_db->execute(QStringLiteral("INSERT INTO T (LearnerID) VALUES ('abc')")));
        m_db->execute(QStringLiteral("ALTER TABLE T DROP COLUMN Learner_ID"));
        QCOMPARE(m_db->columnNames(QStringLiteral("T")), QStringList({QStringLiteral("ID"), QStringLiteral("LearnerID")}));
        QVERIFY_THROWS_EXCEPTION(StoreError, m_db->execute(QStringLiteral("ALTER TABLE T DROP COLUMN Learner_ID")));
    }

    // The old-layout upgrade: add LearnerID, fill it through the join, drop Learner_ID.
    void joinUpdateSetsMatchedRowsOnly()
    {
        m_db->execute(QStringLiteral("Create Table Learner_Info(ID LONG, LearnerID LONG, LSENDisabilities LONG)"));
        m_db->execute(QStringLiteral("INSERT INTO Learner_Info (ID, LearnerID) VALUES (101, 9001)"));
        m_db->execute(QStringLiteral("INSERT INTO Learner_Info (ID, LearnerID) VALUES (102, 9002)"));
        m_db->execute(QStringLiteral("Create Table SNE_Factors_School(ID COUNTER, Learner_ID LONG, Barrier TEXT(255), Constraint Community_PK Primary Key (ID))"));
        for (const char *row : {"(9001,'a')", "(9002,'b')", "(9999,'orphan')"})
            m_db->execute(QStringLiteral("INSERT INTO SNE_Factors_School (Learner_ID, Barrier) VALUES ") + str(row));

        const QString table = QStringLiteral("SNE_Factors_School");
        m_db->execute(QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" ADD LearnerID LONG"));
        const int changed = m_db->execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" INNER JOIN Learner_Info as LI ON ") + table
                                          + QStringLiteral(".Learner_ID = LI.LearnerID ") + QStringLiteral("SET ") + table
                                          + QStringLiteral(".LearnerID = LI.ID"));
        QCOMPARE(changed, 2);
        m_db->execute(QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" DROP COLUMN Learner_ID"));
        QCOMPARE(column(QStringLiteral("SELECT LearnerID FROM SNE_Factors_School ORDER BY ID")),
                 QStringList({QStringLiteral("101"), QStringLiteral("102"), QStringLiteral("<NULL>")}));

        // A join update with its own WHERE keeps both conditions.
        QCOMPARE(m_db->execute(QStringLiteral("UPDATE SNE_Factors_School INNER JOIN Learner_Info AS LI ON SNE_Factors_School.LearnerID = LI.ID ")
                               + QStringLiteral("SET SNE_Factors_School.Barrier = 'x' & LI.ID WHERE LI.ID = 102")), 1);
        QCOMPARE(column(QStringLiteral("SELECT Barrier FROM SNE_Factors_School ORDER BY ID")),
                 QStringList({QStringLiteral("a"), QStringLiteral("x102"), QStringLiteral("orphan")}));

        // The plain form with a qualified target, as the background save writes it back.
        QCOMPARE(m_db->execute(QStringLiteral("UPDATE Learner_Info SET Learner_Info.LSENDisabilities = 4 WHERE Learner_Info.ID = 102")), 1);
        QCOMPARE(column(QStringLiteral("SELECT LSENDisabilities FROM Learner_Info ORDER BY ID")),
                 QStringList({QStringLiteral("<NULL>"), QStringLiteral("4")}));
    }

    void deleteForms()
    {
        createAllTables();
        m_db->execute(QStringLiteral("Create Table Learner_Info(ID LONG)"));
        m_db->execute(QStringLiteral("INSERT INTO Learner_Info (ID) VALUES (5)"));
        const auto addRows = [this](const QString &table) {
            for (const char *values : {"(5, 2014)", "(5, 2013)", "(6, 2014)"})
                m_db->execute(QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (LearnerID, Data_Year) VALUES ") + str(values));
        };
        addRows(QStringLiteral("SNE_Factors_Community"));
        QCOMPARE(m_db->execute(QStringLiteral("DELETE * FROM SNE_Factors_Community WHERE LearnerID = 5 AND Data_Year = 2014")), 1);
        QCOMPARE(column(QStringLiteral("SELECT LearnerID & '/' & Data_Year FROM SNE_Factors_Community ORDER BY ID")),
                 QStringList({QStringLiteral("5/2013"), QStringLiteral("6/2014")}));

        addRows(QStringLiteral("SNE_Learner_Background_Info"));
        addRows(QStringLiteral("SNE_Health_Professional_Report"));
        // Learner 6 is not in Learner_Info: the join keeps it out of the delete.
        QCOMPARE(m_db->execute(QStringLiteral("DELETE SNE_Learner_Background_Info.* FROM SNE_Learner_Background_Info INNER JOIN")
                               + QStringLiteral(" Learner_Info on SNE_Learner_Background_Info.LearnerID = Learner_Info.ID")
                               + QStringLiteral(" WHERE SNE_Learner_Background_Info.Data_Year = 2014")), 1);
        QCOMPARE(column(QStringLiteral("SELECT LearnerID & '/' & Data_Year FROM SNE_Learner_Background_Info ORDER BY ID")),
                 QStringList({QStringLiteral("5/2013"), QStringLiteral("6/2014")}));
        QCOMPARE(scalar(QStringLiteral("SELECT Count(*) FROM Learner_Info")).toInt(), 1);

        QCOMPARE(m_db->execute(QStringLiteral("DELETE FROM SNE_Health_Professional_Report SNE_Health_Professional_Report ")
                               + QStringLiteral("WHERE LearnerID = 5 AND Data_Year = 2014")), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT Count(*) FROM SNE_Health_Professional_Report")).toInt(), 2);
    }

    void yearGluedToAnd()
    {
        createAllTables();
        for (const char *values : {"(5,1,1,'Level 2',2014)", "(5,2,3,'Level 4',2014)", "(5,3,1,'Level 1',2014)"})
            m_db->execute(QStringLiteral("INSERT INTO SNE_Assessment_Supp_Req (LearnerID, GridID, Support_Area, [Level] , Data_Year) VALUES ") + str(values));
        const QString year = QStringLiteral("2014");
        QCOMPARE(column(QStringLiteral("SELECT GridID, Support_Area, [Level] FROM SNE_Assessment_Supp_Req WHERE LearnerID = 5")
                        + QStringLiteral(" AND Data_Year = ") + year + QStringLiteral("AND GridID < 3 ORDER BY GridID")),
                 QStringList({QStringLiteral("1"), QStringLiteral("2")}));
        QCOMPARE(m_db->execute(QStringLiteral("DELETE FROM SNE_Assessment_Supp_Req WHERE LearnerID = 5 AND Data_Year = ") + year
                               + QStringLiteral("AND GridID < 48 and GridID > 2 ")), 1);
    }

    void textComparesIgnoringCase()
    {
        m_db->execute(QStringLiteral("Create Table P(ID COUNTER, SName TEXT(50), FName MEMO, Provider TEXT(255))"));
        const char *rows[] = {"('Jones','anna','Clinic A')", "('brown','Émile','CLINIC A')", "('smith','zoë','clinic b')",
                              "('Elan','bob','Clinic B')"};
        for (const char *row : rows)
            m_db->execute(QStringLiteral("INSERT INTO P (SName, FName, Provider) VALUES ") + str(row));
        QCOMPARE(scalar(QStringLiteral("SELECT Count(*) FROM P WHERE SName = 'JONES'")).toInt(), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT Count(*) FROM P WHERE FName = 'émile'")).toInt(), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT Count(*) FROM P WHERE FName IN ('ÉMILE', 'ZOË') OR SName IN ('elan')")).toInt(), 3);
        QCOMPARE(column(QStringLiteral("SELECT SName FROM P ORDER BY SName")),
                 QStringList({QStringLiteral("brown"), QStringLiteral("Elan"), QStringLiteral("Jones"), QStringLiteral("smith")}));
        QCOMPARE(column(QStringLiteral("SELECT Provider FROM P GROUP BY Provider ORDER BY Provider")).size(), 2);
        // A joined name has no column collation; its sort still ignores case.
        QCOMPARE(column(QStringLiteral("SELECT SName & ', ' & FName AS N FROM P ORDER BY SName & ', ' & FName")),
                 QStringList({QStringLiteral("brown, Émile"), QStringLiteral("Elan, bob"), QStringLiteral("Jones, anna"),
                              QStringLiteral("smith, zoë")}));
        QCOMPARE(column(QStringLiteral("SELECT Count(*) FROM P GROUP BY Provider & '' ORDER BY 1")).size(), 2);
    }

    // The learner profile's diagnostic dataset on a small school.
    void diagnosticProfileDataset()
    {
        createAllTables();
        m_db->execute(QStringLiteral("Create Table Learner_Info(ID LONG, SName TEXT(50), FName TEXT(50), BirthDate TEXT(8), "
                                     "LSENDisabilities LONG, Grade LONG, Status TEXT(1))"));
        m_db->execute(QStringLiteral("Create Table Disabilities(id LONG, Name TEXT(50))"));
        m_db->execute(QStringLiteral("INSERT INTO Disabilities (id, Name) VALUES (1,'Hearing')"));
        m_db->execute(QStringLiteral("INSERT INTO Learner_Info VALUES (1,'Smith','Anna','20080315',1,1,'C')"));
        m_db->execute(QStringLiteral("INSERT INTO Learner_Info VALUES (2,'adams','Ben','2008031',1,1,'C')"));
        m_db->execute(QStringLiteral("INSERT INTO SNE_lu_Impairment_Area (ID, DESCRIPTION) VALUES (1,'Mobility')"));
        m_db->execute(QStringLiteral("INSERT INTO SNE_lu_Impairment_Area (ID, DESCRIPTION) VALUES (2,'Self care')"));
        m_db->execute(QStringLiteral("INSERT INTO SNE_lu_Impairment_Area (ID, DESCRIPTION) VALUES (3,'Communication')"));
        for (int sub = 1; sub <= 9; ++sub)
            m_db->execute(QStringLiteral("INSERT INTO SNE_lu_Activity_Domain_Sub_Section (ID,Activity_Domain,DESCRIPTION) VALUES (%1,%2,'Item %1')")
                              .arg(sub).arg((sub - 1) / 3 + 1));
        // Means per area: 1.5, 2.5 and 2.67.
        const int scores[][2] = {{1, 1}, {2, 2}, {4, 2}, {5, 3}, {7, 3}, {8, 3}, {9, 2}};
        for (const auto &score : scores)
            m_db->execute(QStringLiteral("INSERT INTO SNE_Criteria_For_Selection (LearnerID, Sub_Section, Score, Data_Year) VALUES (1,%1,%2,2014)")
                              .arg(score[0]).arg(score[1]));
        m_db->execute(QStringLiteral("INSERT INTO SNE_Health_Professional_Report (LearnerID, Impairment_Type, Medical_Record_Viewed, "
                                     "Medical_Record_Attached, Data_Year, Comments) VALUES (1,'Perm',True,False,2014,'seen')"));

        const QString y = QStringLiteral("2014");
        const QString sql = QStringLiteral("SELECT LI.ID, LI.SName & ' ' & LI.FName AS LName, IIf(Len(LI.BirthDate)=8,")
            + QStringLiteral(" Mid(LI.BirthDate,7,2) & '/' & Mid(LI.BirthDate,5,2) & ' / ' & Left(LI.BirthDate,4),'') AS BirthDate,")
            + QStringLiteral(" Disabilities.Name AS Disability, HPR.Data_Year, HPR.Impairment_Type, IIF(IsNull(HPR.Medical_Record_Viewed), False,HPR.Medical_Record_Viewed) as Medical_Record_Viewed,")
            + QStringLiteral(" IIF(IsNull(HPR.Medical_Record_Attached),False,HPR.Medical_Record_Attached) as Medical_Record_Attached, HPR.Comments, CInt(Sum(CFS.Score)/Count(CFS.Sub_Section)) AS Score, LIA.Description")
            + QStringLiteral(" FROM (Learner_Info AS LI LEFT JOIN ((SNE_Health_Professional_Report AS HPR LEFT JOIN")
            + QStringLiteral(" (SNE_Criteria_For_Selection AS CFS LEFT JOIN SNE_lu_Activity_Domain_Sub_Section AS LADS")
            + QStringLiteral(" ON CFS.Sub_Section = LADS.ID) ON HPR.LearnerID = CFS.LearnerID) LEFT JOIN SNE_lu_Impairment_Area AS LIA")
            + QStringLiteral(" ON LADS.Activity_Domain = LIA.ID) ON (LI.ID = HPR.LearnerID AND (HPR.Data_Year)=") + y + QStringLiteral("))")
            + QStringLiteral(" INNER JOIN Disabilities ON LI.LSENDisabilities = Disabilities.id")
            + QStringLiteral(" GROUP BY LI.ID, LI.SName & ' ' & LI.FName, Disabilities.Name, HPR.Data_Year, HPR.Impairment_Type,")
            + QStringLiteral(" IIF(IsNull(HPR.Medical_Record_Viewed), False,HPR.Medical_Record_Viewed),")
            + QStringLiteral(" IIF(IsNull(HPR.Medical_Record_Attached),False,HPR.Medical_Record_Attached), HPR.Comments, LIA.Description, LI.BirthDate, LI.Grade, LI.Status")
            + QStringLiteral(" ORDER BY LI.SName & ' ' & LI.FName, Disabilities.Name, LIA.Description, LI.Grade");
        Recordset rs = m_db->query(sql);
        QCOMPARE(rs.fieldNames(), QStringList({QStringLiteral("ID"), QStringLiteral("LName"), QStringLiteral("BirthDate"),
                                                QStringLiteral("Disability"), QStringLiteral("Data_Year"), QStringLiteral("Impairment_Type"),
                                                QStringLiteral("Medical_Record_Viewed"), QStringLiteral("Medical_Record_Attached"),
                                                QStringLiteral("Comments"), QStringLiteral("Score"), QStringLiteral("Description")}));
        QCOMPARE(rs.recordCount(), 4);
        // adams sorts before Smith; without scores the score and the flags are empty/false.
        QCOMPARE(rs.text(0, QStringLiteral("LName")), QStringLiteral("adams Ben"));
        QCOMPARE(rs.text(0, QStringLiteral("BirthDate")), QString());
        QVERIFY(!rs.value(0, QStringLiteral("Score")).isValid());
        QCOMPARE(rs.value(0, QStringLiteral("Medical_Record_Viewed")).toInt(), 0);
        QStringList areas;
        QStringList means;
        for (int row = 1; row < 4; ++row) {
            QCOMPARE(rs.text(row, QStringLiteral("BirthDate")), QStringLiteral("15/03 / 2008"));
            QCOMPARE(rs.value(row, QStringLiteral("Medical_Record_Viewed")).toInt(), 1);
            areas << rs.text(row, QStringLiteral("Description"));
            means << rs.text(row, QStringLiteral("Score"));
        }
        QCOMPARE(areas, QStringList({QStringLiteral("Communication"), QStringLiteral("Mobility"), QStringLiteral("Self care")}));
        QCOMPARE(means, QStringList({QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("2")}));
    }
};

QTEST_GUILESS_MAIN(DialectTest)
#include "tst_dialect.moc"

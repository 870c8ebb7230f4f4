// The host engine's functions and its case-insensitive text comparison, as a
// PostgreSQL database holds them: SQL functions with the host's names and
// messages, created by the table check, so translated statements run there as
// they run on SQLite.

#include "SqlDialect.h"

#include <QStringList>

QStringList SqlDialect::postgresSetup()
{
    return {
        // Letters compare without regard to case (or width), accents still count.
        QStringLiteral("DO $$ BEGIN "
                       "CREATE COLLATION nocase (provider = icu, locale = 'und-u-ks-level2', deterministic = false); "
                       "EXCEPTION WHEN duplicate_object THEN NULL; END $$"),

        // a & b & ...: NULL only when every operand is NULL; otherwise NULL reads as ''.
        QStringLiteral("CREATE OR REPLACE FUNCTION jet_concat(VARIADIC parts text[]) RETURNS text "
                       "LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN num_nonnulls(VARIADIC parts) = 0 THEN NULL "
                       "ELSE array_to_string(parts, '') END $$"),
        QStringLiteral("CREATE OR REPLACE FUNCTION jet_isnull(value anycompatible) RETURNS boolean "
                       "LANGUAGE sql IMMUTABLE AS $$ SELECT value IS NULL $$"),
        QStringLiteral("CREATE OR REPLACE FUNCTION iif(condition boolean, yes anycompatible, no anycompatible) "
                       "RETURNS anycompatible LANGUAGE sql IMMUTABLE AS "
                       "$$ SELECT CASE WHEN condition THEN yes ELSE no END $$"),
        QStringLiteral("CREATE OR REPLACE FUNCTION nz(value anycompatible, otherwise anycompatible) "
                       "RETURNS anycompatible LANGUAGE sql IMMUTABLE AS $$ SELECT coalesce(value, otherwise) $$"),
        QStringLiteral("CREATE OR REPLACE FUNCTION len(value anycompatible) RETURNS integer "
                       "LANGUAGE sql IMMUTABLE AS $$ SELECT char_length(value::text) $$"),

        // Whole numbers the host's way: halves to the even neighbour.
        QStringLiteral("CREATE OR REPLACE FUNCTION jet_round(value numeric) RETURNS numeric "
                       "LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN value - floor(value) = 0.5 "
                       "THEN floor(value) + (floor(value)::numeric % 2 <> 0)::int ELSE round(value) END $$"),
        // A position or a length: NULL, text that is no number, and values
        // past 32 bits are the host's own failures.
        QStringLiteral("CREATE OR REPLACE FUNCTION jet_count(value numeric) RETURNS bigint "
                       "LANGUAGE plpgsql IMMUTABLE AS $$ BEGIN "
                       "IF value IS NULL THEN RAISE EXCEPTION 'Invalid use of Null' USING ERRCODE = '22004'; END IF; "
                       "IF jet_round(value) NOT BETWEEN -2147483648 AND 2147483647 THEN "
                       "RAISE EXCEPTION 'Overflow' USING ERRCODE = '22003'; END IF; "
                       "RETURN jet_round(value); END $$"),
        QStringLiteral("CREATE OR REPLACE FUNCTION mid(value anycompatible, start numeric, length numeric) "
                       "RETURNS text LANGUAGE plpgsql IMMUTABLE AS $$ "
                       "DECLARE first bigint := jet_count(start); taken bigint := jet_count(length); BEGIN "
                       "IF first < 1 OR taken < 0 THEN "
                       "RAISE EXCEPTION 'Invalid procedure call or argument' USING ERRCODE = '22023'; END IF; "
                       "RETURN substr(value::text, first::int, taken::int); END $$"),
        QStringLiteral("CREATE OR REPLACE FUNCTION mid(value anycompatible, start numeric) "
                       "RETURNS text LANGUAGE plpgsql IMMUTABLE AS $$ "
                       "DECLARE first bigint := jet_count(start); BEGIN "
                       "IF first < 1 THEN "
                       "RAISE EXCEPTION 'Invalid procedure call or argument' USING ERRCODE = '22023'; END IF; "
                       "RETURN substr(value::text, first::int); END $$"),
        QStringLiteral("CREATE OR REPLACE FUNCTION jet_left(value anycompatible, count numeric) RETURNS text "
                       "LANGUAGE plpgsql IMMUTABLE AS $$ DECLARE taken bigint := jet_count(count); BEGIN "
                       "IF taken < 0 THEN RAISE EXCEPTION 'Invalid procedure call or argument' USING ERRCODE = '22023'; END IF; "
                       "RETURN left(value::text, taken::int); END $$"),
        // CInt: a 16-bit whole number, halves rounded to even.
        QStringLiteral("CREATE OR REPLACE FUNCTION cint(value numeric) RETURNS integer "
                       "LANGUAGE plpgsql IMMUTABLE AS $$ BEGIN "
                       "IF jet_round(value) NOT BETWEEN -32768 AND 32767 THEN "
                       "RAISE EXCEPTION 'Overflow' USING ERRCODE = '22003'; END IF; "
                       "RETURN jet_round(value); END $$"),
        QStringLiteral("CREATE OR REPLACE FUNCTION cint(value double precision) RETURNS integer "
                       "LANGUAGE sql IMMUTABLE AS $$ SELECT cint(value::numeric) $$"),

        // Held until the transaction ends: one learner's year is saved by one
        // computer at a time (LockLearnerYear).
        QStringLiteral("CREATE OR REPLACE FUNCTION sna_lock_learner_year(learner integer, year integer) RETURNS integer "
                       "LANGUAGE sql VOLATILE AS $$ SELECT pg_advisory_xact_lock(learner, year); SELECT 1 $$"),
        // After rows were written with their own counter values: the next
        // value given out follows the highest.
        QStringLiteral("CREATE OR REPLACE FUNCTION sna_continue_counter(tbl text) RETURNS integer LANGUAGE plpgsql VOLATILE AS $$ "
                       "DECLARE counter text; top bigint; BEGIN "
                       "IF NOT EXISTS (SELECT 1 FROM pg_attribute WHERE attrelid = to_regclass(tbl) AND attname = 'id' "
                       "AND NOT attisdropped) THEN RETURN 0; END IF; "
                       "counter := pg_get_serial_sequence(tbl, 'id'); "
                       "IF counter IS NULL THEN RETURN 0; END IF; "
                       "EXECUTE format('SELECT max(id) FROM %I', lower(tbl)) INTO top; "
                       "PERFORM setval(counter, coalesce(top, 0) + 1, false); RETURN 1; END $$"),
    };
}

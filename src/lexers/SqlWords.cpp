// The word lists of the SQL highlighter.
#include "lexers/SqlWords.h"

// Each list is written once and used both alone and in the set of all classified words.
// clang-format off
#define KRQ_SQL_RESERVED \
    "add", "all", "alter", "and", "any", "as", "asc", "at", "authorization", "avg", "backup", \
    "begin", "between", "break", "browse", "bulk", "by", "cascade", "case", "check", "checkpoint", \
    "close", "clustered", "coalesce", "column", "commit", "compute", "confirm", "constraint", \
    "contains", "containstable", "continue", "controlrow", "create", "cross", "current", \
    "current_date", "current_time", "current_timestamp", "current_user", "cursor", "database", \
    "dbcc", "deallocate", "declare", "default", "delete", "deny", "desc", "disk", "distinct", \
    "distributed", "double", "drop", "dummy", "dump", "else", "end", "endtran", "errexit", \
    "errlvl", "escape", "except", "exec", "execute", "exists", "exit", "external", "fetch", \
    "file", "fillfactor", "for", "foreign", "freetext", "freetexttable", "from", "full", \
    "function", "goto", "grant", "group", "having", "holdlock", "identity", "identity_insert", \
    "identitycol", "if", "in", "index", "inner", "insert", "intersect", "into", "is", "isolation", \
    "join", "key", "kill", "left", "level", "like", "lineno", "load", "merge", "mirror", \
    "mirrorexit", "national", "nocheck", "nocount", "nonclustered", "not", "null", "nullif", "of", \
    "off", "offsets", "on", "once", "online", "open", "opendatasource", "openquery", "openrowset", \
    "openxml", "option", "or", "order", "outer", "over", "partition", "perm", "permanent", "pipe", \
    "plan", "precision", "prepare", "primary", "print", "privileges", "proc", "procedure", \
    "processexit", "public", "raiserror", "read", "readtext", "reconfigure", "references", \
    "replication", "restore", "restrict", "return", "revoke", "right", "role", "rollback", \
    "rowcount", "rows", "rule", "save", "schema", "select", "session_user", "set", "setuser", \
    "shutdown", "some", "statistics", "stripe", "system_user", "table", "temp", "temporary", \
    "textsize", "then", "to", "top", "tran", "transaction", "trigger", "truncate", "tsequal", \
    "union", "unique", "unpivot", "update", "updatetext", "use", "user", "using", "values", \
    "varying", "view", "waitfor", "when", "where", "while", "with", "work", "writetext", "go", \
    "try", "catch", "throw", "output", "returns", "nowait", "readpast", "rowlock", "tablock", \
    "nolock", "quoted_identifier", "ansi_nulls", "xact_abort", "committed", "uncommitted", \
    "repeatable", "serializable", "ignore_dup_key", "sorted_data", "asensitive", "insensitive", \
    "scroll", "only", "next", "prior", "first", "last", "absolute", "relative"

#define KRQ_SQL_PLSQL \
    "elsif", "loop", "exception", "exception_init", "pragma", "raise", "package", "body", "type", \
    "record", "rowtype", "constant", "out", "nocopy", "bulk_rowcount", "forall", \
    "autonomous_transaction", "restrict_references", "serially_reusable", "ref", "subtype", \
    "array", "varray", "collect", "limit", "pipelined", "deterministic", "others", \
    "sqlcode", "sqlerrm", "rownum", "rowid", "sysdate", "systimestamp", "nextval", "currval", \
    "connect", "start", "minus", "sequence", "synonym", "tablespace", "instead", "each", "row", \
    "after", "before", "referencing", "new", "old", "immediate", "returning", "extend", "authid", \
    "definer", "language", "wrapped", "member", "self"

#define KRQ_SQL_DATA_TYPES \
    "bigint", "binary", "bit", "char", "character", "date", "datetime", "datetime2", \
    "datetimeoffset", "dec", "decimal", "float", "image", "int", "integer", "money", "nchar", \
    "ntext", "numeric", "nvarchar", "real", "smalldatetime", "smallint", "smallmoney", "sysname", \
    "text", "time", "timestamp", "tinyint", "uniqueidentifier", "unichar", "univarchar", \
    "unitext", "unsigned", "varbinary", "varchar", "xml", "sql_variant", "varchar2", "nvarchar2", \
    "number", "pls_integer", "binary_integer", "boolean", "clob", "nclob", "blob", "bfile", \
    "long", "raw", "urowid", "interval", "natural", "positive", "signtype", "simple_integer", \
    "binary_float", "binary_double"

#define KRQ_SQL_FUNCTIONS \
    "abs", "acos", "ascii", "asin", "atan", "atn2", "avg", "cast", "ceiling", "char", \
    "char_length", "charindex", "coalesce", "col_length", "col_name", "convert", "cos", "cot", \
    "count", "count_big", "curunreservedpgs", "data_pgs", "datalength", "dateadd", "datediff", \
    "datename", "datepart", "day", "db_id", "db_name", "degrees", "difference", "exp", "floor", \
    "getdate", "getutcdate", "host_id", "host_name", "index_col", "isdate", "isnull", "isnumeric", \
    "len", "left", "log", "log10", "lower", "ltrim", "max", "min", "month", "newid", "nullif", \
    "object_id", "object_name", "patindex", "pi", "power", "radians", "rand", "replicate", \
    "reverse", "right", "round", "rtrim", "sign", "sin", "soundex", "space", "sqrt", "square", \
    "str", "stuff", "substring", "sum", "suser_id", "suser_name", "suser_sname", "tan", "tsequal", \
    "upper", "user_id", "user_name", "valid_name", "valid_user", "year", "row_number", "rank", \
    "dense_rank", "scope_identity", "ident_current", "error_message", "error_number", "replace", \
    "format", "concat", "iif", "choose", "try_convert", "nvl", "nvl2", "decode", "to_char", \
    "to_date", "to_number", "trunc", "substr", "instr", "length", "lpad", "rpad", "trim", \
    "initcap", "add_months", "months_between", "last_day", "next_day", "greatest", "least", "mod", \
    "listagg", "regexp_like", "regexp_replace", "regexp_substr", "sys_guid"

#define KRQ_SQL_PACKAGES \
    "dbms_output", "dbms_sql", "dbms_lob", "dbms_job", "dbms_scheduler", "dbms_pipe", \
    "dbms_alert", "dbms_lock", "dbms_random", "dbms_utility", "dbms_session", "dbms_transaction", \
    "dbms_stats", "dbms_metadata", "dbms_xmlgen", "dbms_crypto", "dbms_application_info", \
    "dbms_flashback", "dbms_aq", "dbms_ddl", "dbms_describe", "dbms_rowid", "dbms_shared_pool", \
    "utl_file", "utl_http", "utl_smtp", "utl_tcp", "utl_raw", "utl_mail", "utl_encode", "utl_url", \
    "standard"

#define KRQ_SQL_EXCEPTIONS \
    "access_into_null", "case_not_found", "collection_is_null", "cursor_already_open", \
    "dup_val_on_index", "invalid_cursor", "invalid_number", "login_denied", "no_data_found", \
    "not_logged_on", "program_error", "rowtype_mismatch", "self_is_null", "storage_error", \
    "subscript_beyond_count", "subscript_outside_limit", "sys_invalid_rowid", \
    "timeout_on_resource", "too_many_rows", "value_error", "zero_divide"

#define KRQ_SQL_SYSTEM_TABLES \
    "sysalternates", "sysattributes", "syscharsets", "syscolumns", "syscomments", "sysconfigures", \
    "sysconstraints", "syscurconfigs", "sysdatabases", "sysdepends", "sysdevices", "sysengines", \
    "sysgams", "sysindexes", "sysjars", "syskeys", "syslanguages", "syslisteners", "syslocks", \
    "sysloginroles", "syslogins", "syslogs", "sysmessages", "sysmonitors", "sysobjects", \
    "sysprocedures", "sysprocesses", "sysprotects", "sysquerymetrics", "sysreferences", \
    "sysremotelogins", "sysroles", "syssegments", "sysservers", "syssessions", "syssrvroles", \
    "sysstatistics", "systabstats", "systhresholds", "systransactions", "systypes", "sysusages", \
    "sysusermessages", "sysusers", "sysxtypes", "sysfiles", "sysfilegroups", "sysforeignkeys", \
    "sysfulltextcatalogs", "syspermissions", "dual", "all_tables", "all_objects", \
    "all_tab_columns", "user_tables", "user_objects", "user_tab_columns", "user_source", \
    "user_errors", "dba_tables", "dba_objects", "dba_users"

#define KRQ_SQL_PLUS_COMMANDS \
    "accept", "append", "archive", "attribute", "btitle", "clear", "column", "compute", "conn", \
    "connect", "copy", "define", "del", "desc", "describe", "disc", "disconnect", "edit", "host", \
    "input", "pause", "prompt", "quit", "recover", "repheader", "repfooter", "rem", "remark", \
    "show", "spool", "sta", "start", "startup", "store", "timing", "ttitle", "undefine", "var", \
    "variable", "whenever"

#define KRQ_SQL_PLUS_SETTINGS \
    "appinfo", "arraysize", "autocommit", "autoprint", "autotrace", "colsep", "define", "echo", \
    "escape", "feedback", "heading", "headsep", "linesize", "lines", "long", "markup", "newpage", \
    "null", "numformat", "numwidth", "pagesize", "pages", "pause", "recsep", "serveroutput", \
    "showmode", "sqlprompt", "sqlterminator", "termout", "time", "timing", "trimout", "trimspool", \
    "underline", "verify", "wrap", "ver", "feed", "head", "lin", "serverout", "term", "trims"

// clang-format on

namespace krq::sqlwords {

const TKrqKeywordSet& Reserved() {
    static const TKrqKeywordSet set({KRQ_SQL_RESERVED}, false);
    return set;
}

const TKrqKeywordSet& PlSql() {
    static const TKrqKeywordSet set({KRQ_SQL_PLSQL}, false);
    return set;
}

const TKrqKeywordSet& DataTypes() {
    static const TKrqKeywordSet set({KRQ_SQL_DATA_TYPES}, false);
    return set;
}

const TKrqKeywordSet& Functions() {
    static const TKrqKeywordSet set({KRQ_SQL_FUNCTIONS}, false);
    return set;
}

const TKrqKeywordSet& Packages() {
    static const TKrqKeywordSet set({KRQ_SQL_PACKAGES}, false);
    return set;
}

const TKrqKeywordSet& Exceptions() {
    static const TKrqKeywordSet set({KRQ_SQL_EXCEPTIONS}, false);
    return set;
}

const TKrqKeywordSet& SystemTables() {
    static const TKrqKeywordSet set({KRQ_SQL_SYSTEM_TABLES}, false);
    return set;
}

const TKrqKeywordSet& PlusCommands() {
    static const TKrqKeywordSet set({KRQ_SQL_PLUS_COMMANDS}, false);
    return set;
}

const TKrqKeywordSet& PlusSettings() {
    static const TKrqKeywordSet set({KRQ_SQL_PLUS_SETTINGS}, false);
    return set;
}

const TKrqKeywordSet& Classified() {
    static const TKrqKeywordSet set(
        {KRQ_SQL_RESERVED, KRQ_SQL_PLSQL, KRQ_SQL_DATA_TYPES, KRQ_SQL_FUNCTIONS, KRQ_SQL_PACKAGES,
         KRQ_SQL_EXCEPTIONS, KRQ_SQL_SYSTEM_TABLES},
        false);
    return set;
}

}  // namespace krq::sqlwords

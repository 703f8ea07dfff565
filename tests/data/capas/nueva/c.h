// A folder the table does not know.

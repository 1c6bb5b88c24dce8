-- Gives advt_splitedition of a database made before it its primary key, the split edition's name
-- (which a unique key already kept to one row): a Galera cluster whose nodes require a primary key
-- (wsrep_mode=REQUIRED_PRIMARY_KEY) refuses changes to a table without one.
--   mariadb selvoro < db/migrations/002-advt_splitedition-key.sql
-- Safe to run again. New databases get the key from db/schema.sql. Two rows of the same name, or a
-- row without a name, stop it with the server's error: the rows must be told apart first.
ALTER TABLE advt_splitedition ADD PRIMARY KEY IF NOT EXISTS (split_name);
ALTER TABLE advt_splitedition DROP INDEX IF EXISTS advt_splitedition_name;

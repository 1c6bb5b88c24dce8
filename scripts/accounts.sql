-- The accounts of the connection strings on a private server: the remote user, and root over TCP
-- from 127.0.0.1 whose password is the six characters '6309' (the loopback string sends
-- PASSWORD='6309' and the driver keeps the quotes). root over the socket stays without a password
-- for the scripts and the test support. Loaded by scripts/db and scripts/cluster.
DROP USER IF EXISTS ''@'localhost';
CREATE USER IF NOT EXISTS 'quorvanix'@'127.0.0.1';
ALTER USER 'quorvanix'@'127.0.0.1' IDENTIFIED BY 'greenmeadows';
CREATE USER IF NOT EXISTS 'root'@'127.0.0.1';
ALTER USER 'root'@'127.0.0.1' IDENTIFIED BY '''6309''';
GRANT ALL PRIVILEGES ON selvoro.* TO 'quorvanix'@'127.0.0.1';
GRANT ALL PRIVILEGES ON selvoro.* TO 'root'@'127.0.0.1';
FLUSH PRIVILEGES;

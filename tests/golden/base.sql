-- What every golden run stands on: the version, the year, a unit and its clerk, the masters.
INSERT INTO ac_fin_year (ac_year_code, ac_db_name, ac_default) VALUES ('2026', 'selvoro_acc2026', 1);
INSERT INTO versionmaster (pack_code, version_code) VALUES ('advt', 'V14.6');
INSERT INTO unitmaster (unit_code, unit_name, unit_app_advt, unit_priority) VALUES ('KOC', 'Kochi', 0, 1);
INSERT INTO userdetails (user_id, user_name, user_password, user_login_advt, user_type) VALUES (2, 'clerk', 'pass2', 1, 0);
INSERT INTO unitaccess (unit_code, user_id) VALUES ('KOC', 2);
INSERT INTO productmaster (product_code, product_name) VALUES ('DLY', 'Daily Edition');
INSERT INTO acc_companymaster (comp_code, comp_name, comp_gstin, comp_cin) VALUES
    ('SV', 'Publisher', '32SVGSTIN00001', 'SVCIN0000000000000001'),
    ('SX', 'Second Company', '32SXGSTIN00002', 'SXCIN0000000000000002');
INSERT INTO advt_clienttype (group_code, group_name, group_no_of_bills, group_show_comm, group_show_address, group_bp_type) VALUES
    ('AG', 'Agency', 2, 1, 1, 1), ('DR', 'Direct', 1, 0, 0, 2);
INSERT INTO advt_subarea (sub_code, sub_name) VALUES ('S1', 'Ernakulam');
INSERT INTO advt_agencymaster (agency_code, agency_name, agency_type, agency_subarea, agency_add1, agency_add2, agency_add3,
                               agency_bill_colcms, agency_gstin, agency_pan) VALUES
    ('A001', 'Alpha Ads', 'AG', 'S1', 'MG Road, Kochi', 'Kochi', 'Kerala', 5, '32AGGSTIN0001', 'AGPAN0001A'),
    ('A002', 'Direct Desk', 'DR', 'S1', 'Desk Lane', '', '', 0, '32DRGSTIN0002', 'DRPAN0002B');
INSERT INTO advt_clientmaster (client_code, client_name, client_gstin, client_pan) VALUES ('C001', 'Client One', '32CLGSTIN0001', 'CLPAN0001C');

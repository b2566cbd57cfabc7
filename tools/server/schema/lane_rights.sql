-- The rights of the role tillano_lane, which every lane's login role is a
-- member of: read the shop's data and its change log, call the lane
-- functions. Applied by every `tillano-server init`, after the upgrades.
GRANT USAGE ON SCHEMA tillano TO tillano_lane;
GRANT SELECT ON tillano.control, tillano.product, tillano."Dept", tillano.cashier, tillano.cashier_secret,
    tillano.shop_options, tillano.change_log TO tillano_lane;
GRANT EXECUTE ON FUNCTION
    tillano.lane_register(integer, integer, text, text, boolean),
    tillano.lane_sync(integer, integer, text, text, jsonb, integer, timestamptz),
    tillano.lane_send_shop(integer, integer, text, jsonb),
    tillano.lane_edit(integer, integer, text, text, jsonb),
    tillano.store_lanes(integer)
    TO tillano_lane;
-- The store reports (version 2), which a manager prints on any lane.
GRANT EXECUTE ON FUNCTION
    tillano.report_lanes(integer, date, date),
    tillano.report_financial(integer, date, date),
    tillano.report_cashiers(integer, date, date),
    tillano.report_products(integer, date, date),
    tillano.report_departments(integer, date, date),
    tillano.report_line_totals(integer, date, date),
    tillano.report_register(integer, date, date),
    tillano.report_register_lines(integer, date, date),
    tillano.report_stores()
    TO tillano_lane;

-- The store reports, version 2 of the schema.
--
-- Every figure of the store's reports is computed here, from the sales
-- the server holds, for a store and a range of days (both included, by
-- "Trxh_date"): the lanes' page reports and `tillano-server report` both
-- call these functions, so they cannot disagree. A row whose terminal is
-- NULL is the total of every lane.
--
-- Amounts are the doubles the lanes stored, added up and rounded the way
-- a lane prints an amount: to four decimals, then to cents, each time to
-- the nearest with a tie going to the even neighbour. A long run of
-- doubles added one by one drifts (a year of a lane's sales by some
-- millionths), so each lane's day of sales, or each lane's lines of one
-- product, is added in double precision and those sums in numeric,
-- exactly: a store figure equals, to the cent, the same sales added up on
-- the lanes that sold them, whatever the order of the rows.
--
-- Each is planned for the range it is given (a day reads a day's sales
-- by index, a year reads the table through): a plan made once for any
-- range would read a year through the index, several times slower.
--
-- Lanes may call the report functions (a manager prints the store's
-- reports on any lane; lane_rights.sql grants them); they run with the
-- rights of the schema's owner and read nothing but the sales, the lanes
-- and the shop's names.

-- x rounded to `places` decimals, a tie going to the even neighbour.
CREATE FUNCTION tillano.round_half_even(x numeric, places integer)
RETURNS numeric
LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE AS $$
    SELECT round(CASE WHEN abs(scaled - trunc(scaled)) = 0.5
                      THEN trunc(scaled) + sign(scaled) * mod(abs(trunc(scaled)), 2)
                      ELSE round(scaled) END
                 / power(10::numeric, places), places)
    FROM (SELECT x * power(10::numeric, places) AS scaled) s
$$;

-- A sum of amounts as a lane prints it: to four decimals, then to cents.
CREATE FUNCTION tillano.cents(x numeric)
RETURNS numeric
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
    SELECT tillano.round_half_even(tillano.round_half_even(coalesce(x, 0), 4), 2)
$$;

-- One stored amount as a lane prints it: to four decimals, then to cents
-- (double precision rounds a tie to the even neighbour). Written as one
-- expression so that a register of many thousands of sales stays fast.
CREATE FUNCTION tillano.cents_of(x double precision)
RETURNS numeric
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
    SELECT (round(round(coalesce(x, 0) * 10000) / 100) / 100)::numeric(20, 2)
$$;

-- The lanes of a store, each with what the server holds of it: how many
-- of its sales fall in the range, its last sale received (number, date
-- and time, and when it arrived), its last call, how many sales it last
-- said it still holds and since when, and its sales set aside. A report
-- taken while a lane cannot reach the server says so through these.
CREATE FUNCTION tillano.report_lanes(p_store integer, p_from date, p_to date)
RETURNS TABLE (terminal integer, sales bigint, last_sale_number double precision, last_sale_date date,
               last_sale_time time, last_sale_received_at timestamptz, last_contact_at timestamptz,
               sales_waiting integer, waiting_since timestamptz, set_aside bigint)
LANGUAGE plpgsql STABLE SECURITY DEFINER
SET search_path = pg_catalog, pg_temp SET plan_cache_mode = force_custom_plan AS $$
#variable_conflict use_column
BEGIN
    RETURN QUERY
    SELECT l."Terminal_id",
           (SELECT count(*) FROM tillano.tranmaster t
            WHERE t."Store_id" = p_store AND t."Trxh_terminal_id" = l."Terminal_id"
              AND t."Trxh_date" BETWEEN p_from AND p_to),
           l.last_sale_id, l.last_sale_date, l.last_sale_time, l.last_sale_received_at, l.last_contact_at,
           l.sales_waiting, l.waiting_since,
           (SELECT count(*) FROM tillano.set_aside s
            WHERE s."Store_id" = p_store AND s."Terminal_id" = l."Terminal_id")
    FROM tillano.lanes l
    WHERE l."Store_id" = p_store
    ORDER BY l."Terminal_id";
END $$;

-- The sales of the range added up per lane, cashier and day: the number
-- of sales and each amount of their headers (numeric, exact from here
-- on). "change" is the register's (grand total less payments and the
-- foreign currency at the lane's rate), "voids" the subtotals of the
-- voided sales (those with a negative subtotal).
CREATE FUNCTION tillano.sales_by_day(p_store integer, p_from date, p_to date)
RETURNS TABLE (terminal integer, cashier integer, day date, transactions bigint, sales numeric, tx1 numeric,
               tx2 numeric, tx3 numeric, grand numeric, pmt1 numeric, pmt2 numeric, pmt3 numeric, pmt4 numeric,
               pmt5 numeric, cpn1 numeric, cpn2 numeric, cpn3 numeric, fc1 numeric, change numeric,
               voids numeric, no_voids bigint)
LANGUAGE sql STABLE AS $$
    SELECT t."Trxh_terminal_id", t."Trxh_cashier", t."Trxh_date", count(*),
           coalesce(sum(t."Trxh_total"), 0)::numeric,
           coalesce(sum(t."Trxh_tx1"), 0)::numeric, coalesce(sum(t."Trxh_tx2"), 0)::numeric,
           coalesce(sum(t."Trxh_tx3"), 0)::numeric, coalesce(sum(t."Trxh_grand_total"), 0)::numeric,
           coalesce(sum(t."Trxh_pmt1"), 0)::numeric, coalesce(sum(t."Trxh_pmt2"), 0)::numeric,
           coalesce(sum(t."Trxh_pmt3"), 0)::numeric, coalesce(sum(t."Trxh_pmt4"), 0)::numeric,
           coalesce(sum(t."Trxh_pmt5"), 0)::numeric, coalesce(sum(t."Trxh_cpn1"), 0)::numeric,
           coalesce(sum(t."Trxh_cpn2"), 0)::numeric, coalesce(sum(t."Trxh_cpn3"), 0)::numeric,
           coalesce(sum(t."Trxh_fc1"), 0)::numeric, coalesce(sum(t."Trxh_change"), 0)::numeric,
           coalesce(sum(t."Trxh_total") FILTER (WHERE t."Trxh_total" < 0), 0)::numeric,
           count(*) FILTER (WHERE t."Trxh_total" < 0)
    FROM tillano.tranmaster t
    WHERE t."Store_id" = p_store AND t."Trxh_date" BETWEEN p_from AND p_to
    GROUP BY t."Trxh_terminal_id", t."Trxh_cashier", t."Trxh_date"
$$;

-- The figures of the financial and cashier reports, rounded, for each
-- cashier on each lane, each cashier on every lane, each lane and the
-- store (every_cashier and every_lane tell which; a lane without sales
-- has a row of zeros). Sales (subtotals), taxes, their sum, the number
-- of sales, payments, coupons, foreign currency (in its own units), the
-- store's change (grand total less payments and coupons), the register's
-- change (grand total less payments and the foreign currency at the
-- lane's rate) and the voided sales with their number.
CREATE FUNCTION tillano.sale_totals(p_store integer, p_from date, p_to date)
RETURNS TABLE (cashier integer, terminal integer, every_cashier boolean, every_lane boolean, transactions bigint,
               sales numeric, tx1 numeric, tx2 numeric, tx3 numeric, grand_total numeric, pmt1 numeric,
               pmt2 numeric, pmt3 numeric, pmt4 numeric, pmt5 numeric, cpn1 numeric, cpn2 numeric, cpn3 numeric,
               fc1 numeric, store_change numeric, register_change numeric, voids numeric, no_voids bigint)
LANGUAGE sql STABLE AS $$
    SELECT d.cashier, d.terminal, GROUPING(d.cashier) = 1, GROUPING(d.terminal) = 1,
           coalesce(sum(d.transactions), 0)::bigint, tillano.cents(sum(d.sales)),
           tillano.cents(sum(d.tx1)), tillano.cents(sum(d.tx2)), tillano.cents(sum(d.tx3)),
           tillano.cents(sum(d.sales + d.tx1 + d.tx2 + d.tx3)),
           tillano.cents(sum(d.pmt1)), tillano.cents(sum(d.pmt2)), tillano.cents(sum(d.pmt3)),
           tillano.cents(sum(d.pmt4)), tillano.cents(sum(d.pmt5)),
           tillano.cents(sum(d.cpn1)), tillano.cents(sum(d.cpn2)), tillano.cents(sum(d.cpn3)), tillano.cents(sum(d.fc1)),
           tillano.cents(sum(d.grand - d.pmt1 - d.pmt2 - d.pmt3 - d.pmt4 - d.pmt5 - d.cpn1 - d.cpn2 - d.cpn3)),
           tillano.cents(sum(d.change)), tillano.cents(sum(d.voids)), coalesce(sum(d.no_voids), 0)::bigint
    FROM (SELECT * FROM tillano.sales_by_day(p_store, p_from, p_to)
          UNION ALL -- every lane, sales or not
          SELECT l."Terminal_id", NULL, NULL, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0
          FROM tillano.lanes l WHERE l."Store_id" = p_store) d
    GROUP BY GROUPING SETS ((d.cashier, d.terminal), (d.cashier), (d.terminal), ())
$$;

-- The financial report: one row per lane of the store, then the store's,
-- with the figures of the lanes' own financial report (its change is the
-- store's).
CREATE FUNCTION tillano.report_financial(p_store integer, p_from date, p_to date)
RETURNS TABLE (terminal integer, transactions bigint, sales numeric, tx1 numeric, tx2 numeric, tx3 numeric,
               grand_total numeric, pmt1 numeric, pmt2 numeric, pmt3 numeric, pmt4 numeric, pmt5 numeric,
               cpn1 numeric, cpn2 numeric, cpn3 numeric, fc1 numeric, change numeric, voids numeric,
               no_voids bigint)
LANGUAGE plpgsql STABLE SECURITY DEFINER
SET search_path = pg_catalog, pg_temp SET plan_cache_mode = force_custom_plan AS $$
#variable_conflict use_column
BEGIN
    RETURN QUERY
    SELECT t.terminal, t.transactions, t.sales, t.tx1, t.tx2, t.tx3, t.grand_total, t.pmt1, t.pmt2, t.pmt3, t.pmt4,
           t.pmt5, t.cpn1, t.cpn2, t.cpn3, t.fc1, t.store_change, t.voids, t.no_voids
    FROM tillano.sale_totals(p_store, p_from, p_to) t
    WHERE t.every_cashier
    ORDER BY t.every_lane, t.terminal;
END $$;

-- The cashier report: for each cashier who sold in the range, one row per
-- lane it sold on, then its row for every lane (NULL terminal), with the
-- figures of the lanes' own cashier report (its change is the register's).
CREATE FUNCTION tillano.report_cashiers(p_store integer, p_from date, p_to date)
RETURNS TABLE (cashier integer, cashier_name text, terminal integer, transactions bigint, sales numeric,
               tx1 numeric, tx2 numeric, tx3 numeric, grand_total numeric, pmt1 numeric, pmt2 numeric,
               pmt3 numeric, pmt4 numeric, pmt5 numeric, cpn1 numeric, cpn2 numeric, cpn3 numeric, fc1 numeric,
               change numeric, voids numeric, no_voids bigint)
LANGUAGE plpgsql STABLE SECURITY DEFINER
SET search_path = pg_catalog, pg_temp SET plan_cache_mode = force_custom_plan AS $$
#variable_conflict use_column
BEGIN
    RETURN QUERY
    SELECT t.cashier, c."Cashier_name", t.terminal, t.transactions, t.sales, t.tx1, t.tx2, t.tx3, t.grand_total,
           t.pmt1, t.pmt2, t.pmt3, t.pmt4, t.pmt5, t.cpn1, t.cpn2, t.cpn3, t.fc1, t.register_change, t.voids,
           t.no_voids
    FROM tillano.sale_totals(p_store, p_from, p_to) t
    LEFT JOIN tillano.cashier c ON c."Store_id" = p_store AND c."Cashier_id" = t.cashier
    WHERE NOT t.every_cashier AND t.transactions > 0 -- not the zeros of the lanes without sales
    ORDER BY t.cashier, t.every_lane, t.terminal;
END $$;

-- The sale lines of the range added up per lane and product: the
-- quantity and the amount sold (numeric, exact from here on), the
-- product's description and department in the store's catalogue now (a
-- line names its product, not its department; when the catalogue no
-- longer holds the product, the description its lines have and a NULL
-- department).
CREATE FUNCTION tillano.lines_by_product(p_store integer, p_from date, p_to date)
RETURNS TABLE (terminal integer, upc double precision, department integer, description text, quantity numeric,
               sales numeric)
LANGUAGE sql STABLE AS $$
    SELECT s.terminal, s.upc, p."Product_dept", coalesce(p."Product_desc", s.description), s.quantity, s.sales
    FROM (SELECT d."Terminal_id" AS terminal, coalesce(d."Trx_upc", 0) AS upc, max(d."Trx_desc") AS description,
                 coalesce(sum(d."Trx_qty"), 0)::numeric AS quantity, coalesce(sum(d."Trx_total"), 0)::numeric AS sales
          FROM tillano.tranmaster t
          JOIN tillano.trandetail d ON d."Store_id" = t."Store_id" AND d."Terminal_id" = t."Trxh_terminal_id"
                                   AND d."Trx_id" = t."Trxh_id"
          WHERE t."Store_id" = p_store AND t."Trxh_date" BETWEEN p_from AND p_to
          GROUP BY 1, 2) s
    LEFT JOIN tillano.product p ON p."Store_id" = p_store AND p."Product_upc" = s.upc
$$;

-- The product sales report: per lane, then for every lane (NULL
-- terminal), each product with sales in the range: its code, its
-- description (as the store's catalogue has it now, or as its lines name
-- it when the catalogue no longer holds it), the quantity and the amount
-- sold. Like the lanes' report, a product whose sales add up to zero (to
-- the ten-thousandth: what is left of a sale and its return) is left out.
CREATE FUNCTION tillano.report_products(p_store integer, p_from date, p_to date)
RETURNS TABLE (terminal integer, upc double precision, description text, quantity numeric, sales numeric)
LANGUAGE plpgsql STABLE SECURITY DEFINER
SET search_path = pg_catalog, pg_temp SET plan_cache_mode = force_custom_plan AS $$
#variable_conflict use_column
BEGIN
    RETURN QUERY
    SELECT l.terminal, l.upc, max(l.description), trim_scale(sum(l.quantity)), tillano.cents(sum(l.sales))
    FROM tillano.lines_by_product(p_store, p_from, p_to) l
    GROUP BY GROUPING SETS ((l.terminal, l.upc), (l.upc))
    HAVING tillano.round_half_even(sum(l.sales), 4) <> 0
    ORDER BY GROUPING(l.terminal), l.terminal, l.upc;
END $$;

-- The department sales report: per lane, then for every lane, each
-- department with sales in the range, its lines counted for the
-- department their product belongs to now. The lines of products the
-- catalogue no longer holds come under a NULL department, so that the
-- departments add up to the products.
CREATE FUNCTION tillano.report_departments(p_store integer, p_from date, p_to date)
RETURNS TABLE (terminal integer, department integer, department_name text, quantity numeric, sales numeric)
LANGUAGE plpgsql STABLE SECURITY DEFINER
SET search_path = pg_catalog, pg_temp SET plan_cache_mode = force_custom_plan AS $$
#variable_conflict use_column
BEGIN
    RETURN QUERY
    WITH sums AS (
        SELECT l.terminal, GROUPING(l.terminal) = 1 AS every_lane, l.department,
               sum(l.quantity) AS quantity, sum(l.sales) AS sales
        FROM tillano.lines_by_product(p_store, p_from, p_to) l
        GROUP BY GROUPING SETS ((l.terminal, l.department), (l.department))
        HAVING tillano.round_half_even(sum(l.sales), 4) <> 0
    )
    SELECT s.terminal, s.department, d."Dept_desc", trim_scale(s.quantity), tillano.cents(s.sales)
    FROM sums s
    LEFT JOIN tillano."Dept" d ON d."Store_id" = p_store AND d."Dept_code" = s.department
    ORDER BY s.every_lane, s.terminal, s.department NULLS LAST;
END $$;

-- What the lines of the range add up to, per lane (every lane, a lane
-- without sales has zeros) and then for the store: the totals under the
-- product and department reports.
CREATE FUNCTION tillano.report_line_totals(p_store integer, p_from date, p_to date)
RETURNS TABLE (terminal integer, quantity numeric, sales numeric)
LANGUAGE plpgsql STABLE SECURITY DEFINER
SET search_path = pg_catalog, pg_temp SET plan_cache_mode = force_custom_plan AS $$
#variable_conflict use_column
BEGIN
    RETURN QUERY
    WITH sums AS (
        SELECT l.terminal, GROUPING(l.terminal) = 1 AS whole_store, sum(l.quantity) AS quantity,
               sum(l.sales) AS sales
        FROM tillano.lines_by_product(p_store, p_from, p_to) l
        GROUP BY ROLLUP (l.terminal)
    ), rows AS (
        SELECT l."Terminal_id" AS terminal, false AS whole_store FROM tillano.lanes l WHERE l."Store_id" = p_store
        UNION ALL SELECT NULL, true
    )
    SELECT r.terminal, coalesce(trim_scale(s.quantity), 0), tillano.cents(s.sales)
    FROM rows r
    LEFT JOIN sums s ON s.whole_store = r.whole_store AND (r.whole_store OR s.terminal = r.terminal)
    ORDER BY r.whole_store, r.terminal;
END $$;

-- The sales register: every sale of the range, lane by lane in the order
-- of their numbers, with its amounts in cents as the lane's register
-- prints them ("sales" is the subtotal).
CREATE FUNCTION tillano.report_register(p_store integer, p_from date, p_to date)
RETURNS TABLE (terminal integer, number double precision, date date, "time" time, cashier integer,
               sales numeric, tx1 numeric, tx2 numeric, tx3 numeric, grand_total numeric, pmt1 numeric,
               pmt2 numeric, pmt3 numeric, pmt4 numeric, pmt5 numeric, cpn1 numeric, cpn2 numeric, cpn3 numeric,
               fc1 numeric, change numeric)
LANGUAGE plpgsql STABLE SECURITY DEFINER
SET search_path = pg_catalog, pg_temp SET plan_cache_mode = force_custom_plan AS $$
#variable_conflict use_column
BEGIN
    RETURN QUERY
    SELECT t."Trxh_terminal_id", t."Trxh_id", t."Trxh_date", t."Trxh_time", t."Trxh_cashier",
           tillano.cents_of(t."Trxh_total"), tillano.cents_of(t."Trxh_tx1"), tillano.cents_of(t."Trxh_tx2"),
           tillano.cents_of(t."Trxh_tx3"), tillano.cents_of(t."Trxh_grand_total"),
           tillano.cents_of(t."Trxh_pmt1"), tillano.cents_of(t."Trxh_pmt2"), tillano.cents_of(t."Trxh_pmt3"),
           tillano.cents_of(t."Trxh_pmt4"), tillano.cents_of(t."Trxh_pmt5"), tillano.cents_of(t."Trxh_cpn1"),
           tillano.cents_of(t."Trxh_cpn2"), tillano.cents_of(t."Trxh_cpn3"), tillano.cents_of(t."Trxh_fc1"),
           tillano.cents_of(t."Trxh_change")
    FROM tillano.tranmaster t
    WHERE t."Store_id" = p_store AND t."Trxh_date" BETWEEN p_from AND p_to
    ORDER BY t."Trxh_terminal_id", t."Trxh_id";
END $$;

-- The lines of the register's sales, in the same order, each sale's lines
-- in the order they were rung.
CREATE FUNCTION tillano.report_register_lines(p_store integer, p_from date, p_to date)
RETURNS TABLE (terminal integer, number double precision, line integer, upc double precision, description text,
               quantity double precision, price numeric, discount numeric, total numeric)
LANGUAGE plpgsql STABLE SECURITY DEFINER
SET search_path = pg_catalog, pg_temp SET plan_cache_mode = force_custom_plan AS $$
#variable_conflict use_column
BEGIN
    RETURN QUERY
    SELECT d."Terminal_id", d."Trx_id", d."Trx_seq", d."Trx_upc", d."Trx_desc", d."Trx_qty",
           tillano.cents_of(d."Trx_price"), tillano.cents_of(d."Trx_dscamt"), tillano.cents_of(d."Trx_total")
    FROM tillano.tranmaster t
    JOIN tillano.trandetail d ON d."Store_id" = t."Store_id" AND d."Terminal_id" = t."Trxh_terminal_id"
                             AND d."Trx_id" = t."Trxh_id"
    WHERE t."Store_id" = p_store AND t."Trxh_date" BETWEEN p_from AND p_to
    ORDER BY d."Terminal_id", d."Trx_id", d."Trx_seq";
END $$;

-- The stores this database holds, for a report that does not name one.
CREATE FUNCTION tillano.report_stores()
RETURNS TABLE (store integer)
LANGUAGE plpgsql STABLE SECURITY DEFINER
SET search_path = pg_catalog, pg_temp SET plan_cache_mode = force_custom_plan AS $$
#variable_conflict use_column
BEGIN
    RETURN QUERY
    SELECT "Store_id" FROM tillano.control UNION SELECT "Store_id" FROM tillano.lanes ORDER BY 1;
END $$;

REVOKE ALL ON ALL FUNCTIONS IN SCHEMA tillano FROM PUBLIC;

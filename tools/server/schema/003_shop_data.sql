-- The store server's schema, version 3: the shop's data has one source.
--
-- Every lane sells from its own copy of the store's products,
-- departments, cashiers (with their secret codes) and the shop's part of
-- the control record. Every change of those tables, made by a lane or by
-- another program with plain SQL, is numbered in tillano.change_log when
-- it commits and announced with NOTIFY tillano_shop; each lane takes in
-- the rows changed after the last number it took in.
--
-- A lane's own edits arrive through tillano.lane_edit, each carrying the
-- row as the lane had it before (its base) and the row it made: an edit
-- changes only the fields the lane changed, and only when none of those
-- was changed here since the base; otherwise it is kept whole in
-- tillano.edits_set_aside and never applied. The quantity on hand is the
-- exception: a lane's change of it is a correction, added to the store's.
--
-- The store's stock is the store's: tillano.product."Product_qty" moves
-- with every sale and stock receipt stored, "Product_avg_cost" with every
-- stock receipt (a moving weighted average over the store's quantity).

-- ---------------------------------------------------------------------------
-- The shop's data the lanes keep besides the ten tables.

-- The secret codes of the cashiers, as the lanes keep them: a hash, its
-- salt and iteration count, and whether the PIN must be replaced.
CREATE TABLE tillano.cashier_secret (
    "Store_id"           integer NOT NULL,
    "Cashier_id"         integer NOT NULL,
    "Secret_hash"        bytea,
    "Secret_salt"        bytea,
    "Secret_iterations"  integer,
    "Secret_must_change" boolean,
    PRIMARY KEY ("Store_id", "Cashier_id"),
    FOREIGN KEY ("Store_id", "Cashier_id") REFERENCES tillano.cashier ("Store_id", "Cashier_id") ON DELETE CASCADE
);

-- The shop's switches kept beside the control record.
CREATE TABLE tillano.shop_options (
    "Store_id"              integer PRIMARY KEY REFERENCES tillano.control ("Store_id"),
    "Secret_codes_required" boolean
);

-- ---------------------------------------------------------------------------
-- The change log.

CREATE SEQUENCE tillano.change_numbers;

-- The latest change of every row of the shop's tables that ever changed:
-- a row changed again gets a new number, so the log holds one entry per
-- row. Numbers are given in commit order within a store, so a lane that
-- took in the changes up to number N has seen every change numbered
-- below it. row_key is the row's key (the product's code, the
-- department's, the cashier's); 0 for the tables of one row per store.
CREATE TABLE tillano.change_log (
    "Store_id" integer NOT NULL,
    table_name text NOT NULL,
    row_key    double precision NOT NULL,
    change_no  bigint NOT NULL,
    changed_at timestamptz NOT NULL DEFAULT now(),
    -- The lane whose new row this is, exactly as that lane has it (it
    -- need not take it back); null for any other change.
    made_by    integer,
    PRIMARY KEY ("Store_id", table_name, row_key)
);
CREATE INDEX change_log_in_order ON tillano.change_log ("Store_id", change_no);

-- The rows changed by a transaction that has not committed yet; only
-- that transaction sees them. They are numbered, and removed, when it
-- commits.
CREATE TABLE tillano.change_pending (
    "Store_id" integer NOT NULL,
    table_name text NOT NULL,
    row_key    double precision NOT NULL,
    made_by    integer
);

-- One row per transaction that changed shop data: inserting it sets off
-- the numbering when that transaction commits.
CREATE TABLE tillano.change_commit (
    transaction_id xid8 PRIMARY KEY
);

-- Notes the rows a statement changed (the key column is the trigger's
-- argument; none for a table of one row per store), and the lane whose
-- new rows a merge of its edits inserts (tillano.made_by).
CREATE FUNCTION tillano.note_changed_rows()
RETURNS trigger
LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    key_expression text := CASE WHEN TG_NARGS > 0 THEN format('%I', TG_ARGV[0]) ELSE '0' END;
    transition_table text;
    noted bigint := 0;
    n bigint;
BEGIN
    FOREACH transition_table IN ARRAY CASE TG_OP WHEN 'UPDATE' THEN ARRAY['old_rows', 'new_rows']
                                                 WHEN 'DELETE' THEN ARRAY['old_rows'] ELSE ARRAY['new_rows'] END LOOP
        EXECUTE format('INSERT INTO tillano.change_pending SELECT "Store_id", %L, %s, $1 FROM %I',
                       TG_TABLE_NAME, key_expression, transition_table)
            USING CASE WHEN TG_OP = 'INSERT' THEN nullif(current_setting('tillano.made_by', true), '')::integer END;
        GET DIAGNOSTICS n = ROW_COUNT;
        noted := noted + n;
    END LOOP;
    IF noted > 0 THEN
        INSERT INTO tillano.change_commit VALUES (pg_current_xact_id()) ON CONFLICT DO NOTHING;
    END IF;
    RETURN NULL;
END $$;

-- At commit: numbers the transaction's changed rows under a lock per
-- store, held until the commit is complete (so that numbers become
-- visible in order), and tells the lanes.
CREATE FUNCTION tillano.number_changes()
RETURNS trigger
LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    store integer;
BEGIN
    FOR store IN SELECT DISTINCT "Store_id" FROM tillano.change_pending ORDER BY 1 LOOP
        PERFORM pg_advisory_xact_lock(hashtext('tillano.change_log'), store);
    END LOOP;
    INSERT INTO tillano.change_log AS c ("Store_id", table_name, row_key, change_no, made_by)
        SELECT p."Store_id", p.table_name, p.row_key, nextval('tillano.change_numbers'), p.made_by
        FROM (SELECT "Store_id", table_name, row_key,
                     CASE WHEN count(*) = count(made_by) AND min(made_by) = max(made_by) THEN min(made_by) END AS made_by
              FROM tillano.change_pending GROUP BY 1, 2, 3) p
        ON CONFLICT ("Store_id", table_name, row_key)
        DO UPDATE SET change_no = excluded.change_no, changed_at = now(), made_by = excluded.made_by;
    PERFORM pg_notify('tillano_shop', s::text) FROM (SELECT DISTINCT "Store_id" AS s FROM tillano.change_pending) x;
    DELETE FROM tillano.change_pending;
    DELETE FROM tillano.change_commit WHERE transaction_id = NEW.transaction_id;
    RETURN NULL;
END $$;

CREATE CONSTRAINT TRIGGER number_changes AFTER INSERT ON tillano.change_commit
    DEFERRABLE INITIALLY DEFERRED FOR EACH ROW EXECUTE FUNCTION tillano.number_changes();

-- Emptying a shop table at once would leave no trace of its rows: refused.
CREATE FUNCTION tillano.refuse_truncate()
RETURNS trigger
LANGUAGE plpgsql AS $$
BEGIN
    RAISE EXCEPTION 'tillano.% cannot be truncated: the lanes follow its rows one by one; use DELETE', TG_TABLE_NAME;
END $$;

DO $$
DECLARE
    shop_table record;
BEGIN
    FOR shop_table IN SELECT * FROM (VALUES
            ('control', NULL), ('shop_options', NULL), ('product', 'Product_upc'), ('Dept', 'Dept_code'),
            ('cashier', 'Cashier_id'), ('cashier_secret', 'Cashier_id')) AS t(name, key_column) LOOP
        EXECUTE format('CREATE TRIGGER %I AFTER INSERT ON tillano.%I REFERENCING NEW TABLE AS new_rows '
                       'FOR EACH STATEMENT EXECUTE FUNCTION tillano.note_changed_rows(%s)',
                       shop_table.name || '_inserted', shop_table.name, coalesce(quote_literal(shop_table.key_column), ''));
        EXECUTE format('CREATE TRIGGER %I AFTER UPDATE ON tillano.%I REFERENCING OLD TABLE AS old_rows '
                       'NEW TABLE AS new_rows FOR EACH STATEMENT EXECUTE FUNCTION tillano.note_changed_rows(%s)',
                       shop_table.name || '_updated', shop_table.name, coalesce(quote_literal(shop_table.key_column), ''));
        EXECUTE format('CREATE TRIGGER %I AFTER DELETE ON tillano.%I REFERENCING OLD TABLE AS old_rows '
                       'FOR EACH STATEMENT EXECUTE FUNCTION tillano.note_changed_rows(%s)',
                       shop_table.name || '_deleted', shop_table.name, coalesce(quote_literal(shop_table.key_column), ''));
        EXECUTE format('CREATE TRIGGER %I BEFORE TRUNCATE ON tillano.%I '
                       'FOR EACH STATEMENT EXECUTE FUNCTION tillano.refuse_truncate()',
                       shop_table.name || '_not_truncated', shop_table.name);
    END LOOP;
END $$;

-- ---------------------------------------------------------------------------
-- The lanes' edits.

-- The highest edit number of each lane applied (or set aside): an edit
-- sent again after a lost answer is recognised and changes nothing.
ALTER TABLE tillano.lanes ADD COLUMN edits_through bigint NOT NULL DEFAULT 0;

-- A lane's edit that was not applied, kept whole: the row as the lane had
-- it before (null: a row the lane made), the row the lane made (null: it
-- deleted the row) and the server's row then (null: none).
CREATE TABLE tillano.edits_set_aside (
    id            bigserial PRIMARY KEY,
    "Store_id"    integer NOT NULL,
    "Terminal_id" integer NOT NULL,
    table_name    text NOT NULL,
    row_key       double precision NOT NULL,
    edit_no       bigint NOT NULL,
    received_at   timestamptz NOT NULL DEFAULT now(),
    reason        text NOT NULL,
    lane_base     jsonb,
    lane_row      jsonb,
    server_row    jsonb
);

-- The key column of a shop table; none for the tables of one row per store.
CREATE FUNCTION tillano.shop_key_column(p_table text)
RETURNS text
LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE p_table WHEN 'product' THEN 'Product_upc' WHEN 'Dept' THEN 'Dept_code'
                        WHEN 'cashier' THEN 'Cashier_id' WHEN 'cashier_secret' THEN 'Cashier_id' END
$$;

-- Merges a lane's edits of one shop table (a JSON array of {"no", "key",
-- "before", "after"}, each key once; "before" is the row as the lane had
-- it, null for a row it made; "after" the row it made, null when it
-- deleted the row) into the store's rows, set-wise; returns how many were
-- set aside. The rows concerned are locked first, so that what is judged
-- is what is changed.
CREATE FUNCTION tillano.merge_edits(p_store integer, p_terminal integer, p_table text, p_edits jsonb)
RETURNS integer
LANGUAGE plpgsql SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    key_column text := tillano.shop_key_column(p_table);
    target text := format('tillano.%I', p_table);
    columns text[];
    column_name text;
    changed text;
    conflicts text[] := '{}';
    merged text[] := '{}';
    kept_apart text[] := '{}';
    key_match text;
    aside integer;
BEGIN
    SELECT array_agg(attname::text ORDER BY attnum) INTO columns FROM pg_attribute
        WHERE attrelid = target::regclass AND attnum > 0 AND NOT attisdropped AND attname <> 'Store_id';
    FOREACH column_name IN ARRAY columns LOOP
        changed := format('(e.n).%1$I IS DISTINCT FROM (e.b).%1$I', column_name);
        IF p_table = 'product' AND column_name = 'Product_qty' THEN
            -- A correction of a row the lane had: the difference is added.
            merged := merged || format('CASE WHEN e.based AND %1$s THEN coalesce((e.r).%2$I, 0) '
                                       '+ (coalesce((e.n).%2$I, 0) - coalesce((e.b).%2$I, 0)) '
                                       'WHEN %1$s THEN (e.n).%2$I ELSE (e.r).%2$I END', changed, column_name);
            conflicts := conflicts || format('CASE WHEN NOT e.based AND %1$s AND (e.r).%2$I IS NOT NULL '
                                             'AND (e.r).%2$I IS DISTINCT FROM (e.n).%2$I THEN %2$L END',
                                             changed, column_name);
        ELSE
            merged := merged || format('CASE WHEN %1$s THEN (e.n).%2$I ELSE (e.r).%2$I END', changed, column_name);
            conflicts := conflicts || format('CASE WHEN %1$s AND (e.r).%2$I IS DISTINCT FROM (e.b).%2$I '
                                             'AND (e.r).%2$I IS DISTINCT FROM (e.n).%2$I THEN %2$L END',
                                             changed, column_name);
        END IF;
        -- A deletion is refused when the row changed since, its stock aside.
        IF NOT (p_table = 'product' AND column_name IN ('Product_qty', 'Product_avg_cost')) THEN
            kept_apart := kept_apart || format('CASE WHEN (e.r).%1$I IS DISTINCT FROM (e.b).%1$I THEN %1$L END',
                                               column_name);
        END IF;
    END LOOP;
    key_match := CASE WHEN key_column IS NULL THEN '' ELSE format(' AND t.%I = x.key', key_column) END;

    EXECUTE format('SELECT 1 FROM %s t JOIN jsonb_to_recordset($1) AS x(key double precision) ON true '
                   'WHERE t."Store_id" = $2%s ORDER BY x.key FOR UPDATE OF t', target, key_match)
        USING p_edits, p_store;

    -- The rows this merge inserts are the lane's own, as it sent them.
    PERFORM set_config('tillano.made_by', p_terminal::text, true);
    EXECUTE format($sql$
        WITH edits AS (
            SELECT x.no, x.key, x."before", x."after",
                   x."before" IS NOT NULL AS based, x."after" IS NOT NULL AS kept,
                   jsonb_populate_record(NULL::%1$s, x."before" || jsonb_build_object('Store_id', $2)) AS b,
                   jsonb_populate_record(NULL::%1$s, x."after" || jsonb_build_object('Store_id', $2)) AS n
            FROM jsonb_to_recordset($1) AS x(no bigint, key double precision, "before" jsonb, "after" jsonb)
        ),
        current_rows AS (
            SELECT x.*, t AS r, t."Store_id" IS NOT NULL AS present
            FROM edits x LEFT JOIN %1$s t ON t."Store_id" = $2%2$s
        ),
        judged AS (
            SELECT e.*, CASE
                WHEN NOT e.present AND NOT e.kept THEN 'nothing'
                WHEN NOT e.present AND e.based THEN
                    'deleted at the store server or on another lane since this lane last had it'
                WHEN NOT e.present THEN 'insert'
                WHEN NOT e.kept AND NOT e.based THEN 'nothing'
                WHEN NOT e.kept AND cardinality(array_remove(ARRAY[%3$s]::text[], NULL)) > 0 THEN
                    'not deleted: changed at the store server or on another lane since this lane last had it ('
                    || array_to_string(array_remove(ARRAY[%3$s]::text[], NULL), ', ') || ')'
                WHEN NOT e.kept THEN 'delete'
                WHEN cardinality(array_remove(ARRAY[%4$s]::text[], NULL)) > 0 THEN
                    'changed at the store server or on another lane since this lane last had it ('
                    || array_to_string(array_remove(ARRAY[%4$s]::text[], NULL), ', ') || ')'
                ELSE 'update' END AS outcome
            FROM current_rows e
        ),
        inserted AS (
            INSERT INTO %1$s SELECT (e.n).* FROM judged e WHERE e.outcome = 'insert'
        ),
        updated AS (
            UPDATE %1$s t SET (%5$s) = ROW(%6$s) FROM judged e
            WHERE e.outcome = 'update' AND t."Store_id" = $2%7$s AND t IS DISTINCT FROM ROW($2, %6$s)::%1$s
        ),
        deleted AS (
            DELETE FROM %1$s t USING judged e WHERE e.outcome = 'delete' AND t."Store_id" = $2%7$s
        ),
        kept_aside AS (
            INSERT INTO tillano.edits_set_aside ("Store_id", "Terminal_id", table_name, row_key, edit_no, reason,
                                                 lane_base, lane_row, server_row)
            SELECT $2, $3, %8$L, e.key, e.no, e.outcome, e."before", e."after",
                   CASE WHEN e.present THEN to_jsonb(e.r) - 'Store_id' END
            FROM judged e WHERE e.outcome NOT IN ('nothing', 'insert', 'update', 'delete')
            RETURNING 1
        )
        SELECT count(*)::integer FROM kept_aside
        $sql$,
        target,
        key_match,
        array_to_string(kept_apart, ', '),
        array_to_string(conflicts, ', '),
        (SELECT string_agg(format('%I', c), ', ') FROM unnest(columns) c),
        array_to_string(merged, ', '),
        CASE WHEN key_column IS NULL THEN '' ELSE format(' AND t.%I = e.key', key_column) END,
        p_table)
    INTO aside USING p_edits, p_store, p_terminal;
    PERFORM set_config('tillano.made_by', '', true);
    RETURN aside;
END $$;

-- Keeps one edit the merge could not take at all (a value of the wrong
-- type, a secret code of a cashier the store no longer has).
CREATE FUNCTION tillano.set_edit_aside(p_store integer, p_terminal integer, p_table text, p_edit jsonb,
                                       p_reason text)
RETURNS void
LANGUAGE sql SET search_path = pg_catalog, pg_temp AS $$
    INSERT INTO tillano.edits_set_aside ("Store_id", "Terminal_id", table_name, row_key, edit_no, reason,
                                         lane_base, lane_row)
    VALUES (p_store, p_terminal, p_table, coalesce((p_edit ->> 'key')::double precision, 0),
            coalesce((p_edit ->> 'no')::bigint, 0), p_reason, p_edit -> 'before', p_edit -> 'after')
$$;

-- A lane's call with its edits (a JSON array of {"no", "table", "key",
-- "before", "after"} in the lane's order), in one transaction: the edits the
-- server has not applied yet are merged, table by table (departments and
-- cashiers before what refers to them), the lanes of a store taking
-- turns. A batch the merge refuses as a whole is merged edit by edit,
-- and an edit refused alone is set aside; a passing failure (a deadlock,
-- a server shutting down) fails the call, to be made again. Returns the
-- highest edit number of the lane applied and how many of its edits are
-- set aside.
CREATE FUNCTION tillano.lane_edit(p_store integer, p_terminal integer, p_key text, p_machine text, p_edits jsonb)
RETURNS TABLE (edits_through bigint, edits_set_aside bigint)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    lane tillano.lanes;
    shop_table text;
    edited text[];
    batch jsonb;
    single jsonb;
    top bigint;
BEGIN
    lane := tillano.claimed_lane(p_store, p_terminal, p_key, p_machine);
    PERFORM pg_advisory_xact_lock(hashtext('tillano.lane_edit'), p_store);
    PERFORM tillano.lock_store_stock(p_store);
    SELECT array_agg(DISTINCT e ->> 'table'), greatest(lane.edits_through, max((e ->> 'no')::bigint))
        INTO edited, top FROM jsonb_array_elements(coalesce(p_edits, '[]'::jsonb)) e;
    FOREACH shop_table IN ARRAY ARRAY['control', 'shop_options', 'Dept', 'product', 'cashier', 'cashier_secret'] LOOP
        CONTINUE WHEN NOT shop_table = ANY(coalesce(edited, '{}'));
        SELECT coalesce(jsonb_agg(e ORDER BY (e ->> 'no')::bigint), '[]'::jsonb) INTO batch
            FROM jsonb_array_elements(coalesce(p_edits, '[]'::jsonb)) e
            WHERE e ->> 'table' = shop_table AND (e ->> 'no')::bigint > lane.edits_through;
        CONTINUE WHEN jsonb_array_length(batch) = 0;
        BEGIN
            PERFORM tillano.merge_edits(p_store, p_terminal, shop_table, batch);
        EXCEPTION WHEN deadlock_detected OR serialization_failure OR lock_not_available OR query_canceled
                       OR admin_shutdown OR disk_full OR insufficient_resources OR out_of_memory THEN
            RAISE;
        WHEN others THEN
            FOR single IN SELECT value FROM jsonb_array_elements(batch) LOOP
                BEGIN
                    PERFORM tillano.merge_edits(p_store, p_terminal, shop_table, jsonb_build_array(single));
                EXCEPTION WHEN deadlock_detected OR serialization_failure OR lock_not_available
                               OR query_canceled OR admin_shutdown OR disk_full OR insufficient_resources
                               OR out_of_memory THEN
                    RAISE;
                WHEN others THEN
                    PERFORM tillano.set_edit_aside(p_store, p_terminal, shop_table, single, SQLERRM);
                END;
            END LOOP;
        END;
    END LOOP;
    UPDATE tillano.lanes l SET edits_through = coalesce(top, l.edits_through), last_contact_at = now()
        WHERE l."Store_id" = p_store AND l."Terminal_id" = p_terminal;
    RETURN QUERY SELECT coalesce(top, lane.edits_through),
        (SELECT count(*) FROM tillano.edits_set_aside s
         WHERE s."Store_id" = p_store AND s."Terminal_id" = p_terminal);
END $$;

-- ---------------------------------------------------------------------------
-- The store's stock.

-- An amount rounded to the ten-thousandth, a tie going to the even one,
-- as the lanes round money.
CREATE FUNCTION tillano.to_ten_thousandths(v numeric)
RETURNS numeric
LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN abs(v * 10000 - trunc(v * 10000)) = 0.5 THEN 2 * round(v * 10000 / 2) ELSE round(v * 10000) END
           / 10000
$$;

-- The lanes of a store move its stock one transaction at a time: their
-- batches touch the same products in any order, which would otherwise
-- deadlock.
CREATE FUNCTION tillano.lock_store_stock(p_store integer)
RETURNS void
LANGUAGE sql SET search_path = pg_catalog, pg_temp AS $$
    SELECT pg_advisory_xact_lock(hashtext('tillano.stock'), p_store)
$$;

-- The stock a sale takes, as its lines are stored: the quantity of each.
CREATE FUNCTION tillano.take_sold_stock()
RETURNS trigger
LANGUAGE plpgsql SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    PERFORM tillano.lock_store_stock(s) FROM (SELECT DISTINCT "Store_id" AS s FROM new_lines ORDER BY 1) x;
    UPDATE tillano.product p SET "Product_qty" = coalesce(p."Product_qty", 0) - sold.quantity
    FROM (SELECT l."Store_id" AS store, l."Trx_upc" AS upc, sum(l."Trx_qty") AS quantity FROM new_lines l
          WHERE l."Trx_upc" IS NOT NULL AND l."Trx_qty" IS NOT NULL GROUP BY 1, 2) sold
    WHERE p."Store_id" = sold.store AND p."Product_upc" = sold.upc;
    RETURN NULL;
END $$;

CREATE TRIGGER stock_sold AFTER INSERT ON tillano.trandetail REFERENCING NEW TABLE AS new_lines
    FOR EACH STATEMENT EXECUTE FUNCTION tillano.take_sold_stock();

-- The stock a receipt brings, as its lines are stored, line by line: the
-- quantity added, and the average cost moved to (stock value before +
-- cost received) / new quantity, the values to the ten-thousandth; stock
-- brought to exactly zero keeps its average cost.
CREATE FUNCTION tillano.add_received_stock()
RETURNS trigger
LANGUAGE plpgsql SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    line record;
BEGIN
    PERFORM tillano.lock_store_stock(s) FROM (SELECT DISTINCT "Store_id" AS s FROM new_lines ORDER BY 1) x;
    FOR line IN SELECT * FROM new_lines ORDER BY "Store_id", "Terminal_id", "Receipt_id", "Line_no" LOOP
        CONTINUE WHEN line."Trx_upc" IS NULL OR line."Trx_qty" IS NULL;
        UPDATE tillano.product p SET
            "Product_avg_cost" = CASE WHEN coalesce(p."Product_qty", 0) + line."Trx_qty" = 0 THEN p."Product_avg_cost"
                ELSE ((tillano.to_ten_thousandths(coalesce(p."Product_avg_cost", 0)::numeric
                                                  * coalesce(p."Product_qty", 0)::numeric)
                       + tillano.to_ten_thousandths(coalesce(line."Trx_total", 0)::numeric))
                      / (coalesce(p."Product_qty", 0) + line."Trx_qty")::numeric)::double precision END,
            "Product_qty" = coalesce(p."Product_qty", 0) + line."Trx_qty"
        WHERE p."Store_id" = line."Store_id" AND p."Product_upc" = line."Trx_upc";
    END LOOP;
    RETURN NULL;
END $$;

CREATE TRIGGER stock_received AFTER INSERT ON tillano.stock_movements REFERENCING NEW TABLE AS new_lines
    FOR EACH STATEMENT EXECUTE FUNCTION tillano.add_received_stock();

-- Up to when the store's stock counts each lane's sales: the lanes of the
-- store, the date and time of the last sale received from each and when
-- it arrived.
CREATE FUNCTION tillano.store_lanes(p_store integer)
RETURNS TABLE ("Terminal_id" integer, last_sale_date date, last_sale_time time, last_sale_received_at timestamptz)
LANGUAGE sql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
    SELECT l."Terminal_id", l.last_sale_date, l.last_sale_time, l.last_sale_received_at
    FROM tillano.lanes l WHERE l."Store_id" = p_store ORDER BY 1
$$;

-- The first lane of a store sends the shop's data of an existing single
-- terminal up, now with its cashiers' secret codes and its switches.
CREATE OR REPLACE FUNCTION tillano.lane_send_shop(p_store integer, p_terminal integer, p_key text, p_shop jsonb)
RETURNS boolean
LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    lane tillano.lanes;
BEGIN
    SELECT * INTO lane FROM tillano.lanes WHERE "Store_id" = p_store AND "Terminal_id" = p_terminal;
    IF NOT FOUND OR lane.lane_key <> p_key THEN
        RAISE EXCEPTION USING ERRCODE = 'TL001', MESSAGE = 'Only a registered lane may send its store''s data.';
    END IF;
    PERFORM pg_advisory_xact_lock(hashtext('tillano.control'), p_store);
    IF EXISTS (SELECT 1 FROM tillano.control WHERE "Store_id" = p_store) THEN
        RETURN false;
    END IF;
    INSERT INTO tillano.control SELECT (jsonb_populate_record(NULL::tillano.control,
        (p_shop -> 'control') || jsonb_build_object('Store_id', p_store))).*;
    INSERT INTO tillano.shop_options SELECT (jsonb_populate_record(NULL::tillano.shop_options,
        coalesce(p_shop -> 'shop_options', '{}'::jsonb) || jsonb_build_object('Store_id', p_store))).*;
    INSERT INTO tillano.product SELECT * FROM jsonb_populate_recordset(NULL::tillano.product,
        (SELECT coalesce(jsonb_agg(e || jsonb_build_object('Store_id', p_store)), '[]'::jsonb)
         FROM jsonb_array_elements(p_shop -> 'product') e));
    INSERT INTO tillano."Dept" SELECT * FROM jsonb_populate_recordset(NULL::tillano."Dept",
        (SELECT coalesce(jsonb_agg(e || jsonb_build_object('Store_id', p_store)), '[]'::jsonb)
         FROM jsonb_array_elements(p_shop -> 'Dept') e));
    INSERT INTO tillano.cashier SELECT * FROM jsonb_populate_recordset(NULL::tillano.cashier,
        (SELECT coalesce(jsonb_agg(e || jsonb_build_object('Store_id', p_store)), '[]'::jsonb)
         FROM jsonb_array_elements(p_shop -> 'cashier') e));
    INSERT INTO tillano.cashier_secret SELECT s.* FROM jsonb_populate_recordset(NULL::tillano.cashier_secret,
        (SELECT coalesce(jsonb_agg(e || jsonb_build_object('Store_id', p_store)), '[]'::jsonb)
         FROM jsonb_array_elements(p_shop -> 'cashier_secret') e)) s
        WHERE EXISTS (SELECT 1 FROM tillano.cashier c WHERE c."Store_id" = p_store AND c."Cashier_id" = s."Cashier_id");
    RETURN true;
END $$;

REVOKE ALL ON ALL FUNCTIONS IN SCHEMA tillano FROM PUBLIC;

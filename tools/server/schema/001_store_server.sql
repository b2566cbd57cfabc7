-- The store server's schema, version 1.
--
-- One PostgreSQL database serves one store or a whole chain: every key
-- starts with the store number ("Store_id"), so the tables can later be
-- spread by store without changing what the lanes send. The sales tables
-- keep the lane's table and column names (quoted, as in a lane's SQLite
-- database) so that accounting and other programs read them directly.
--
-- Types follow the lane's: money and float are double precision (a
-- sale's amounts are stored exactly as the lane holds them, unrounded),
-- logical is boolean, date and time are date and time, text is text.
--
-- Lanes never write these tables themselves: they log in with a role that
-- is a member of tillano_lane, which may read the shop's data and call
-- the SECURITY DEFINER functions at the end of this file, nothing else.

CREATE SCHEMA IF NOT EXISTS tillano;

-- Which upgrades of this schema were applied, and when; `tillano-server
-- init` applies the missing ones in order, each in one transaction.
CREATE TABLE tillano.schema_version (
    version    integer PRIMARY KEY,
    applied_at timestamptz NOT NULL DEFAULT now()
);

-- ---------------------------------------------------------------------------
-- The shop's data, one set per store. Each lane sells from its own copy;
-- `tillano-setup --server` fills a new lane with it.

-- The control record's fields that describe the shop. What describes a
-- terminal (its number, invoice counter, printing, device, journal and
-- end-of-day switches) stays in each lane's own control record.
CREATE TABLE tillano.control (
    "Store_id"          integer PRIMARY KEY CHECK ("Store_id" >= 1),
    "Ctrl_company_name" text,
    "Ctrl_company_adr1" text,
    "Ctrl_company_adr2" text,
    "Ctrl_company_tel"  text,
    "Ctrl_slip_mess"    text,
    "Ctrl_slip_mess2"   text,
    "Ctrl_slip_mess3"   text,
    "Ctrl_pmt1" text, "Ctrl_pmt2" text, "Ctrl_pmt3" text, "Ctrl_pmt4" text, "Ctrl_pmt5" text,
    "Ctrl_pmt1_type" boolean, "Ctrl_pmt2_type" boolean, "Ctrl_pmt3_type" boolean,
    "Ctrl_pmt4_type" boolean, "Ctrl_pmt5_type" boolean,
    "Ctrl_cpn1" text, "Ctrl_cpn2" text, "Ctrl_cpn3" text,
    "Ctrl_tx1" text, "Ctrl_tx2" text, "Ctrl_tx3" text,
    "Ctrl_tx2_txontx" boolean, "Ctrl_tx3_txontx" boolean,
    "Ctrl_tx1_rate" double precision, "Ctrl_tx2_rate" double precision, "Ctrl_tx3_rate" double precision,
    "Ctrl_fc_rate"      double precision
);

-- The catalogue of each store. Running totals (sales, quantities sold)
-- stay the lanes' own; the quantity on hand and the average cost are the
-- store's as they were last sent up.
CREATE TABLE tillano.product (
    "Store_id"            integer NOT NULL REFERENCES tillano.control ("Store_id"),
    "Product_upc"         double precision NOT NULL,
    "Product_desc"        text,
    "Product_short_desc"  text,
    "Product_dept"        integer,
    "Product_price"       double precision,
    "Product_promo"       double precision,
    "Product_promo_start" date,
    "Product_promo_end"   date,
    "Product_qty"         double precision,
    "Product_avg_cost"    double precision,
    "Product_tx1" boolean, "Product_tx2" boolean, "Product_tx3" boolean,
    "Product_accnt"       integer,
    PRIMARY KEY ("Store_id", "Product_upc")
);

-- The departments of each store, without their running totals.
CREATE TABLE tillano."Dept" (
    "Store_id"         integer NOT NULL REFERENCES tillano.control ("Store_id"),
    "Dept_code"        integer NOT NULL,
    "Dept_desc"        text,
    "Dept_tx1" boolean, "Dept_tx2" boolean, "Dept_tx3" boolean,
    "Dept_sales_accnt" integer,
    PRIMARY KEY ("Store_id", "Dept_code")
);

-- The cashiers of each store, without their running totals.
CREATE TABLE tillano.cashier (
    "Store_id"      integer NOT NULL REFERENCES tillano.control ("Store_id"),
    "Cashier_id"    integer NOT NULL,
    "Cashier_name"  text,
    "Cashier_type"  boolean,
    "Cashier_train" boolean,
    PRIMARY KEY ("Store_id", "Cashier_id")
);

-- ---------------------------------------------------------------------------
-- The lanes.

-- One row per lane, (store, terminal). lane_key is the key kept in the
-- lane's own database: a second database claiming the same lane, or a
-- copy of the lane's database on another computer, is refused. The rest
-- is what the lane last told or sent: the store reports name each lane
-- with the time and number of its last sale received, so that a report
-- taken during an outage says what it lacks.
CREATE TABLE tillano.lanes (
    "Store_id"             integer NOT NULL CHECK ("Store_id" >= 1),
    "Terminal_id"          integer NOT NULL,
    lane_key               text NOT NULL UNIQUE,
    machine                text,             -- the lane computer's machine id
    registered_at          timestamptz NOT NULL DEFAULT now(),
    last_contact_at        timestamptz,      -- the lane's last call, whatever it sent
    -- The highest message number of the lane stored here. The lane numbers
    -- every sale and stock receipt it queues; when this number is below
    -- what the lane had acknowledged, the server lost sales (a restore
    -- from an older backup) and the lane sends them again.
    received_through       bigint NOT NULL DEFAULT 0,
    sales_received         bigint NOT NULL DEFAULT 0,
    last_sale_id           double precision, -- "Trxh_id" of the last sale received
    last_sale_date         date,             -- its "Trxh_date" and "Trxh_time"
    last_sale_time         time,
    last_sale_received_at  timestamptz,      -- when it arrived
    sales_waiting          integer NOT NULL DEFAULT 0, -- what the lane last said it still holds
    waiting_since          timestamptz,      -- the oldest of those was queued then
    PRIMARY KEY ("Store_id", "Terminal_id")
);

-- ---------------------------------------------------------------------------
-- The sales, as the lanes posted them; each stored once under its key.

-- The sales register of every lane: the lane's header plus the store.
CREATE TABLE tillano.tranmaster (
    "Store_id"         integer NOT NULL,
    "Trxh_id"          double precision NOT NULL,
    "Trxh_date"        date,
    "Trxh_time"        time,
    "Trxh_cashier"     integer,
    "Trxh_total"       double precision,
    "Trxh_tx1" double precision, "Trxh_tx2" double precision, "Trxh_tx3" double precision,
    "Trxh_dsc1" double precision, "Trxh_dsc2" double precision, "Trxh_dsc3" double precision,
    "Trxh_pmt1" double precision, "Trxh_pmt2" double precision, "Trxh_pmt3" double precision,
    "Trxh_pmt4" double precision, "Trxh_pmt5" double precision,
    "Trxh_fc1"         double precision,
    "Trxh_cpn1" double precision, "Trxh_cpn2" double precision, "Trxh_cpn3" double precision,
    "Trxh_grand_total" double precision,
    "Trxh_change"      double precision,
    "Trxh_terminal_id" integer NOT NULL,
    PRIMARY KEY ("Store_id", "Trxh_terminal_id", "Trxh_id"),
    FOREIGN KEY ("Store_id", "Trxh_terminal_id") REFERENCES tillano.lanes ("Store_id", "Terminal_id")
);
-- Store reports select a store's sales by day.
CREATE INDEX tranmaster_by_date ON tillano.tranmaster ("Store_id", "Trxh_date");

-- The lines of those sales: the lane's lines plus the store and terminal
-- of their header. "Trx_seq" is the lane's own line number.
CREATE TABLE tillano.trandetail (
    "Store_id"       integer NOT NULL,
    "Terminal_id"    integer NOT NULL,
    "Trx_id"         double precision NOT NULL,
    "Trx_seq"        integer NOT NULL,
    "Trx_upc"        double precision,
    "Trx_short_desc" text,
    "Trx_desc"       text,
    "Trx_qty"        double precision,
    "Trx_price"      double precision,
    "Trx_dscamt"     double precision,
    "Trx_total"      double precision,
    "Trx_promo"      boolean,
    "Trx_cpn"        integer,
    "Trx_dsc"        double precision,
    "Trx_cost"       double precision,
    "Trx_tx1" boolean, "Trx_tx2" boolean, "Trx_tx3" boolean,
    "Trx_dsc_per"    double precision,
    PRIMARY KEY ("Store_id", "Terminal_id", "Trx_id", "Trx_seq"),
    FOREIGN KEY ("Store_id", "Terminal_id", "Trx_id")
        REFERENCES tillano.tranmaster ("Store_id", "Trxh_terminal_id", "Trxh_id")
);

-- When each sale reached the server, and under which of the lane's
-- message numbers: one row per row of tranmaster.
CREATE TABLE tillano.sale_arrival (
    "Store_id"    integer NOT NULL,
    "Terminal_id" integer NOT NULL,
    "Trxh_id"     double precision NOT NULL,
    received_at   timestamptz NOT NULL DEFAULT now(),
    lane_sequence bigint NOT NULL,
    PRIMARY KEY ("Store_id", "Terminal_id", "Trxh_id"),
    FOREIGN KEY ("Store_id", "Terminal_id", "Trxh_id")
        REFERENCES tillano.tranmaster ("Store_id", "Trxh_terminal_id", "Trxh_id") ON DELETE CASCADE
);

-- ---------------------------------------------------------------------------
-- Stock received on the lanes (receiving mode), each receipt stored once.

-- One row per stock receipt; "Receipt_id" is the lane's message number.
CREATE TABLE tillano.stock_receipts (
    "Store_id"    integer NOT NULL,
    "Terminal_id" integer NOT NULL,
    "Receipt_id"  bigint NOT NULL,
    "Receipt_date" date,
    "Receipt_time" time,
    "Cashier_id"  integer,
    received_at   timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY ("Store_id", "Terminal_id", "Receipt_id"),
    FOREIGN KEY ("Store_id", "Terminal_id") REFERENCES tillano.lanes ("Store_id", "Terminal_id")
);

-- The stock movements of those receipts: one row per received line, with
-- the quantity (negative for a line voided on the receipt) and its cost.
CREATE TABLE tillano.stock_movements (
    "Store_id"    integer NOT NULL,
    "Terminal_id" integer NOT NULL,
    "Receipt_id"  bigint NOT NULL,
    "Line_no"     integer NOT NULL,
    "Trx_upc"     double precision,
    "Trx_desc"    text,
    "Trx_qty"     double precision,
    "Trx_price"   double precision, -- unit cost
    "Trx_total"   double precision, -- cost of the line
    PRIMARY KEY ("Store_id", "Terminal_id", "Receipt_id", "Line_no"),
    FOREIGN KEY ("Store_id", "Terminal_id", "Receipt_id")
        REFERENCES tillano.stock_receipts ("Store_id", "Terminal_id", "Receipt_id")
);

-- ---------------------------------------------------------------------------
-- What could not be stored under its key, kept whole and never overwritten:
-- a sale whose key the server already holds with other content (a lane's
-- invoice counter set back below numbers it had sent, a lane database
-- restored from a backup), or a message that does not fit the tables.
-- `tillano-server status` reports them; they never hold back later sales.
CREATE TABLE tillano.set_aside (
    id            bigserial PRIMARY KEY,
    "Store_id"    integer NOT NULL,
    "Terminal_id" integer NOT NULL,
    kind          text NOT NULL,    -- 'sale' or 'stock'
    "Trxh_id"     double precision, -- the sale's number, when it has one
    lane_sequence bigint NOT NULL,
    received_at   timestamptz NOT NULL DEFAULT now(),
    reason        text NOT NULL,
    content       text NOT NULL,    -- the message exactly as the lane sent it
    content_md5   text NOT NULL,
    -- The same message sent again is kept once.
    UNIQUE ("Store_id", "Terminal_id", kind, content_md5)
);

-- ---------------------------------------------------------------------------
-- What a lane may call. Each runs with the rights of the schema's owner and
-- first checks the lane's key: a lane can only write its own sales.
-- Refusals use SQLSTATE TL001, which the lane shows to its manager and
-- waits on with its sales queued; any other error is a failure to retry.

-- The lane (store, terminal) that holds this key, locked for the caller's
-- transaction. A lane the server does not know is registered (the server
-- was restored from a backup older than the lane), unless its key belongs
-- to another lane.
CREATE FUNCTION tillano.claimed_lane(p_store integer, p_terminal integer, p_key text, p_machine text)
RETURNS tillano.lanes
LANGUAGE plpgsql SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    lane tillano.lanes;
BEGIN
    SELECT * INTO lane FROM tillano.lanes
        WHERE "Store_id" = p_store AND "Terminal_id" = p_terminal FOR UPDATE;
    IF NOT FOUND THEN
        SELECT * INTO lane FROM tillano.lanes WHERE lane_key = p_key;
        IF FOUND THEN
            RAISE EXCEPTION USING ERRCODE = 'TL001', MESSAGE = format(
                'The store server knows this database as terminal %s of store %s, not as terminal %s of store %s.',
                lane."Terminal_id", lane."Store_id", p_terminal, p_store);
        END IF;
        INSERT INTO tillano.lanes ("Store_id", "Terminal_id", lane_key, machine)
            VALUES (p_store, p_terminal, p_key, p_machine) ON CONFLICT DO NOTHING;
        SELECT * INTO lane FROM tillano.lanes
            WHERE "Store_id" = p_store AND "Terminal_id" = p_terminal FOR UPDATE;
    END IF;
    IF lane.lane_key <> p_key THEN
        RAISE EXCEPTION USING ERRCODE = 'TL001', MESSAGE = format(
            'Terminal %s of store %s belongs to another lane database on the store server '
            '(registered %s from computer %s).',
            p_terminal, p_store, to_char(lane.registered_at, 'YYYY-MM-DD HH24:MI'), coalesce(lane.machine, '?'));
    END IF;
    RETURN lane;
END $$;

-- Registers a lane database prepared by tillano-setup: (store, terminal)
-- with the key kept in the lane's database. A lane that exists with
-- another key is refused unless p_replace (a new computer or a restored
-- database taking the lane over; the old database is refused from then
-- on). Returns the highest sale number the server holds for the lane, so
-- that a replacing database does not number its sales again from there.
CREATE FUNCTION tillano.lane_register(p_store integer, p_terminal integer, p_key text, p_machine text,
                                      p_replace boolean)
RETURNS double precision
LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    lane tillano.lanes;
BEGIN
    IF p_store < 1 THEN
        RAISE EXCEPTION USING ERRCODE = 'TL001', MESSAGE = 'The store number must be 1 or more.';
    END IF;
    SELECT * INTO lane FROM tillano.lanes
        WHERE "Store_id" = p_store AND "Terminal_id" = p_terminal FOR UPDATE;
    IF FOUND AND lane.lane_key <> p_key AND NOT p_replace THEN
        RAISE EXCEPTION USING ERRCODE = 'TL001', MESSAGE = format(
            'Terminal %s of store %s is already a lane (registered %s from computer %s). Choose another '
            'terminal number, or, if this database takes that lane over, prepare it again with --replace.',
            p_terminal, p_store, to_char(lane.registered_at, 'YYYY-MM-DD HH24:MI'), coalesce(lane.machine, '?'));
    END IF;
    DELETE FROM tillano.lanes WHERE lane_key = p_key
        AND ("Store_id", "Terminal_id") <> (p_store, p_terminal) AND received_through = 0;
    IF EXISTS (SELECT 1 FROM tillano.lanes WHERE lane_key = p_key
               AND ("Store_id", "Terminal_id") <> (p_store, p_terminal)) THEN
        RAISE EXCEPTION USING ERRCODE = 'TL001', MESSAGE =
            'This database already sent sales as another lane; prepare a new database for this one.';
    END IF;
    INSERT INTO tillano.lanes ("Store_id", "Terminal_id", lane_key, machine)
        VALUES (p_store, p_terminal, p_key, p_machine)
        ON CONFLICT ("Store_id", "Terminal_id") DO UPDATE
        SET lane_key = excluded.lane_key, machine = excluded.machine, registered_at = now();
    RETURN (SELECT max("Trxh_id") FROM tillano.tranmaster
            WHERE "Store_id" = p_store AND "Trxh_terminal_id" = p_terminal);
END $$;

-- Keeps a message that cannot be stored under its key, once.
CREATE FUNCTION tillano.set_message_aside(p_store integer, p_terminal integer, p_sequence bigint,
                                          p_kind text, p_content text, p_reason text)
RETURNS void
LANGUAGE plpgsql SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    sale_id double precision;
BEGIN
    BEGIN
        sale_id := (p_content::jsonb -> 'header' ->> 'Trxh_id')::double precision;
    EXCEPTION WHEN others THEN
        sale_id := NULL; -- not even readable: kept as it came
    END;
    INSERT INTO tillano.set_aside ("Store_id", "Terminal_id", kind, "Trxh_id", lane_sequence, reason,
                                   content, content_md5)
        VALUES (p_store, p_terminal, coalesce(p_kind, '?'), sale_id, p_sequence, p_reason,
                coalesce(p_content, ''), md5(coalesce(p_content, '')))
        ON CONFLICT DO NOTHING;
END $$;

-- Stores one sale of a lane: 'stored', 'resent' when the server holds it
-- already with the same content, else why it cannot be stored.
CREATE FUNCTION tillano.store_sale(p_store integer, p_terminal integer, p_sequence bigint, p_content jsonb)
RETURNS text
LANGUAGE plpgsql SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    header tillano.tranmaster;
    held tillano.tranmaster;
    lines tillano.trandetail[];
BEGIN
    header := jsonb_populate_record(NULL::tillano.tranmaster,
                                    (p_content -> 'header') || jsonb_build_object('Store_id', p_store));
    IF header."Trxh_id" IS NULL THEN
        RETURN 'the sale has no number';
    END IF;
    IF header."Trxh_terminal_id" IS DISTINCT FROM p_terminal THEN
        RETURN format('the sale names terminal %s; the lane is terminal %s', header."Trxh_terminal_id", p_terminal);
    END IF;
    lines := ARRAY(
        SELECT l FROM jsonb_populate_recordset(NULL::tillano.trandetail,
            (SELECT coalesce(jsonb_agg(e || jsonb_build_object('Store_id', p_store, 'Terminal_id', p_terminal)),
                             '[]'::jsonb)
             FROM jsonb_array_elements(p_content -> 'lines') e)) l
        ORDER BY l."Trx_seq");
    IF EXISTS (SELECT 1 FROM unnest(lines) l WHERE l."Trx_id" IS DISTINCT FROM header."Trxh_id") THEN
        RETURN 'a line of the sale names another sale';
    END IF;

    INSERT INTO tillano.tranmaster SELECT (header).* ON CONFLICT DO NOTHING;
    IF FOUND THEN
        INSERT INTO tillano.trandetail SELECT * FROM unnest(lines);
        INSERT INTO tillano.sale_arrival ("Store_id", "Terminal_id", "Trxh_id", lane_sequence)
            VALUES (p_store, p_terminal, header."Trxh_id", p_sequence);
        RETURN 'stored';
    END IF;

    SELECT * INTO held FROM tillano.tranmaster
        WHERE "Store_id" = p_store AND "Trxh_terminal_id" = p_terminal AND "Trxh_id" = header."Trxh_id";
    IF held IS NOT DISTINCT FROM header
       AND ARRAY(SELECT d FROM tillano.trandetail d
                 WHERE d."Store_id" = p_store AND d."Terminal_id" = p_terminal AND d."Trx_id" = header."Trxh_id"
                 ORDER BY d."Trx_seq") IS NOT DISTINCT FROM lines THEN
        RETURN 'resent';
    END IF;
    RETURN format('the server holds sale %s of terminal %s with other content', header."Trxh_id", p_terminal);
END $$;

-- Stores one stock receipt of a lane, numbered by its message number;
-- answers as store_sale.
CREATE FUNCTION tillano.store_stock_receipt(p_store integer, p_terminal integer, p_sequence bigint,
                                            p_content jsonb)
RETURNS text
LANGUAGE plpgsql SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    receipt tillano.stock_receipts;
    held tillano.stock_receipts;
    lines tillano.stock_movements[];
BEGIN
    receipt := jsonb_populate_record(NULL::tillano.stock_receipts, (p_content -> 'header')
        || jsonb_build_object('Store_id', p_store, 'Terminal_id', p_terminal, 'Receipt_id', p_sequence));
    lines := ARRAY(
        SELECT l FROM jsonb_populate_recordset(NULL::tillano.stock_movements,
            (SELECT coalesce(jsonb_agg(e || jsonb_build_object('Store_id', p_store, 'Terminal_id', p_terminal,
                                                               'Receipt_id', p_sequence)), '[]'::jsonb)
             FROM jsonb_array_elements(p_content -> 'lines') e)) l
        ORDER BY l."Line_no");
    receipt.received_at := now();
    INSERT INTO tillano.stock_receipts SELECT (receipt).* ON CONFLICT DO NOTHING;
    IF FOUND THEN
        INSERT INTO tillano.stock_movements SELECT * FROM unnest(lines);
        RETURN 'stored';
    END IF;

    SELECT * INTO held FROM tillano.stock_receipts
        WHERE "Store_id" = p_store AND "Terminal_id" = p_terminal AND "Receipt_id" = p_sequence;
    receipt.received_at := held.received_at;
    IF held IS NOT DISTINCT FROM receipt
       AND ARRAY(SELECT m FROM tillano.stock_movements m
                 WHERE m."Store_id" = p_store AND m."Terminal_id" = p_terminal AND m."Receipt_id" = p_sequence
                 ORDER BY m."Line_no") IS NOT DISTINCT FROM lines THEN
        RETURN 'resent';
    END IF;
    RETURN format('the server holds stock receipt %s of terminal %s with other content', p_sequence, p_terminal);
END $$;

-- A lane's call, at every connection and for every batch: stores the
-- batch (a JSON array of {"seq", "kind", "content"} in the lane's order),
-- each message idempotently under its key, and notes what the lane says
-- it still holds. The whole call is one transaction: the lane removes
-- the batch from its outbox only after it returned. Returns what the
-- server held before the batch: the lane's highest message number stored
-- (lower than what the lane had acknowledged after a restore from an
-- older backup), its highest sale number, and its messages set aside.
CREATE FUNCTION tillano.lane_sync(p_store integer, p_terminal integer, p_key text, p_machine text,
                                  p_batch jsonb, p_waiting integer, p_waiting_since timestamptz)
RETURNS TABLE (received_through bigint, last_sale_id double precision, set_aside bigint)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    lane tillano.lanes;
    message jsonb;
    content jsonb;
    sequence bigint;
    top bigint;
    outcome text;
    stored bigint := 0;
    last_sale jsonb;
    last_sequence bigint := 0;
    header_base tillano.tranmaster;
    line_base tillano.trandetail;
    together record;
    done bigint[] := '{}';
BEGIN
    lane := tillano.claimed_lane(p_store, p_terminal, p_key, p_machine);
    top := lane.received_through;
    -- Unmatched columns come from these, so a lane's own values of the
    -- store and terminal are compared below, never trusted.
    header_base := jsonb_populate_record(NULL::tillano.tranmaster, jsonb_build_object('Store_id', p_store));
    line_base := jsonb_populate_record(NULL::tillano.trandetail,
                                       jsonb_build_object('Store_id', p_store, 'Terminal_id', p_terminal));

    -- The usual batch, new sales of this lane, is stored in three
    -- statements. Whatever is left (a sale the server holds already, one
    -- that names another terminal or sale, a number twice in the batch, a
    -- stock receipt) or the whole batch when anything fails here, goes one
    -- message at a time below.
    BEGIN
        WITH sale AS (
            SELECT (e ->> 'seq')::bigint AS seq, (e ->> 'content')::jsonb AS body
            FROM jsonb_array_elements(coalesce(p_batch, '[]'::jsonb)) e
            WHERE e ->> 'kind' = 'sale'),
        header AS (
            SELECT sale.seq, sale.body, h AS row, h."Trxh_id" AS id, h."Store_id" AS store,
                   h."Trxh_terminal_id" AS terminal
            FROM sale, jsonb_populate_record(header_base, sale.body -> 'header') h),
        plain AS (
            SELECT header.* FROM header
            WHERE id IS NOT NULL AND store = p_store AND terminal = p_terminal
              AND id NOT IN (SELECT id FROM header GROUP BY id HAVING count(*) > 1)),
        line AS (
            SELECT plain.seq, plain.id AS sale_id, d AS row, d."Trx_id" AS id, d."Store_id" AS store,
                   d."Terminal_id" AS terminal
            FROM plain, jsonb_populate_recordset(line_base, plain.body -> 'lines') d),
        whole AS (
            SELECT plain.* FROM plain WHERE seq NOT IN (
                SELECT seq FROM line
                WHERE id IS DISTINCT FROM sale_id OR store <> p_store OR terminal <> p_terminal)),
        inserted AS (
            INSERT INTO tillano.tranmaster SELECT (whole.row).* FROM whole ON CONFLICT DO NOTHING
            RETURNING "Trxh_id"),
        new_sale AS (
            SELECT whole.seq, whole.id, whole.body FROM whole
            WHERE whole.id = ANY (ARRAY(SELECT "Trxh_id" FROM inserted))),
        new_lines AS (
            INSERT INTO tillano.trandetail SELECT (line.row).* FROM line JOIN new_sale USING (seq)),
        arrival AS (
            INSERT INTO tillano.sale_arrival ("Store_id", "Terminal_id", "Trxh_id", lane_sequence)
            SELECT p_store, p_terminal, new_sale.id, new_sale.seq FROM new_sale)
        SELECT array_agg(new_sale.seq) AS sequences, count(*) AS n, max(new_sale.seq) AS last,
               (array_agg(new_sale.body -> 'header' ORDER BY new_sale.seq DESC))[1] AS last_header
        INTO together FROM new_sale;
        done := coalesce(together.sequences, '{}');
        stored := together.n;
        last_sequence := coalesce(together.last, 0);
        last_sale := together.last_header;
    EXCEPTION WHEN others THEN
        done := '{}';
        stored := 0;
        last_sequence := 0;
        last_sale := NULL;
    END;

    FOR message IN SELECT value FROM jsonb_array_elements(coalesce(p_batch, '[]'::jsonb)) LOOP
        sequence := (message ->> 'seq')::bigint;
        top := greatest(top, sequence);
        CONTINUE WHEN sequence = ANY (done);
        content := NULL;
        BEGIN
            content := (message ->> 'content')::jsonb;
            outcome := CASE message ->> 'kind'
                WHEN 'sale' THEN tillano.store_sale(p_store, p_terminal, sequence, content)
                WHEN 'stock' THEN tillano.store_stock_receipt(p_store, p_terminal, sequence, content)
                ELSE format('unknown kind of message %L', message ->> 'kind') END;
        EXCEPTION WHEN deadlock_detected OR serialization_failure OR lock_not_available OR query_canceled
                       OR admin_shutdown OR disk_full OR insufficient_resources OR out_of_memory THEN
            -- Passing: the whole call fails, to be made again.
            RAISE;
        WHEN others THEN
            outcome := SQLERRM;
        END;
        IF outcome = 'stored' AND message ->> 'kind' = 'sale' THEN
            stored := stored + 1;
            IF sequence > last_sequence THEN
                last_sequence := sequence;
                last_sale := content -> 'header';
            END IF;
        ELSIF outcome NOT IN ('stored', 'resent') THEN
            PERFORM tillano.set_message_aside(p_store, p_terminal, sequence, message ->> 'kind',
                                              message ->> 'content', outcome);
        END IF;
    END LOOP;

    UPDATE tillano.lanes l SET
        received_through = top,
        last_contact_at = now(),
        machine = p_machine,
        sales_waiting = greatest(p_waiting, 0),
        waiting_since = CASE WHEN p_waiting > 0 THEN p_waiting_since END,
        sales_received = l.sales_received + stored,
        last_sale_id = CASE WHEN stored > 0 THEN (last_sale ->> 'Trxh_id')::double precision ELSE l.last_sale_id END,
        last_sale_date = CASE WHEN stored > 0 THEN (last_sale ->> 'Trxh_date')::date ELSE l.last_sale_date END,
        last_sale_time = CASE WHEN stored > 0 THEN (last_sale ->> 'Trxh_time')::time ELSE l.last_sale_time END,
        last_sale_received_at = CASE WHEN stored > 0 THEN now() ELSE l.last_sale_received_at END
    WHERE l."Store_id" = p_store AND l."Terminal_id" = p_terminal;

    RETURN QUERY SELECT lane.received_through,
        (SELECT max(t."Trxh_id") FROM tillano.tranmaster t
         WHERE t."Store_id" = p_store AND t."Trxh_terminal_id" = p_terminal),
        (SELECT count(*) FROM tillano.set_aside s WHERE s."Store_id" = p_store AND s."Terminal_id" = p_terminal);
END $$;

-- The first lane of a store sends the shop's data of an existing single
-- terminal up: its control record's shop fields, products, departments
-- and cashiers. Only while the server has no data for the store; returns
-- false when it had some already (and then changes nothing).
CREATE FUNCTION tillano.lane_send_shop(p_store integer, p_terminal integer, p_key text, p_shop jsonb)
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
    INSERT INTO tillano.product SELECT * FROM jsonb_populate_recordset(NULL::tillano.product,
        (SELECT coalesce(jsonb_agg(e || jsonb_build_object('Store_id', p_store)), '[]'::jsonb)
         FROM jsonb_array_elements(p_shop -> 'product') e));
    INSERT INTO tillano."Dept" SELECT * FROM jsonb_populate_recordset(NULL::tillano."Dept",
        (SELECT coalesce(jsonb_agg(e || jsonb_build_object('Store_id', p_store)), '[]'::jsonb)
         FROM jsonb_array_elements(p_shop -> 'Dept') e));
    INSERT INTO tillano.cashier SELECT * FROM jsonb_populate_recordset(NULL::tillano.cashier,
        (SELECT coalesce(jsonb_agg(e || jsonb_build_object('Store_id', p_store)), '[]'::jsonb)
         FROM jsonb_array_elements(p_shop -> 'cashier') e));
    RETURN true;
END $$;

REVOKE ALL ON ALL FUNCTIONS IN SCHEMA tillano FROM PUBLIC;

#!/usr/bin/env python3
"""Times dkpsite on a hosted-scale database.

The database: GUILDS guilds, each with RAIDS raids of 40 members (drawn from 55 characters),
6 kills and 10 loot, about three years of raiding. The first guild is uploaded raid by raid
through the client protocol; the others are copies of its rows under other names and ids, so
that every guild holds the same amount of data. PostgreSQL receives the same rows. The databases
are kept (the SQLite file in the work folder, the PostgreSQL database on its server) and made
again only when missing.

For each engine it prints p50 and p99 of single requests (a guild's DKP list, one member's
history, page by page, a 40-member upload, the guild page, a member's page, an event page) and
the DKP-list downloads per second with 100 concurrent clients (wrk).

With --earlier-dkpsite, the site this one replaced is timed on the same guilds as well: their
rows are copied into a database of its own schema (made by that program), and its DKP list,
the one request both sites answer alike, is timed beside the others.
"""

import argparse
import hashlib
import http.client
import json
import os
import random
import re
import sqlite3
import subprocess
import sys
import tempfile
import time
import urllib.parse
from datetime import datetime, timedelta

MEMBERS_PER_RAID = 40
ROSTER = 55
KILLS = 6
LOOT = 10
CLASSES = ["Warrior", "Priest", "Mage", "Rogue", "Druid", "Hunter", "Warlock", "Paladin", "Shaman"]
PASSWORD = "bench-password"
SAMPLES = 300
UPLOADS = 100


def log(text):
    print(text, file=sys.stderr, flush=True)


def password_digest(password):
    return hashlib.sha256(password.encode("gbk")).hexdigest()


def log_time(moment):
    return moment.strftime("%m/%d/%y %H:%M:%S")


def character(index):
    return f"Raider{index:02d}"


def raid_document(number, start, rng, key_suffix=""):
    """A raid document as the client exports it."""
    members = rng.sample(range(ROSTER), MEMBERS_PER_RAID)
    parts = [f"<RaidInfo><key>{log_time(start)}{key_suffix}</key><realm>Bench Realm</realm>",
             f"<start>{log_time(start)}</start><end>{log_time(start + timedelta(hours=3))}</end>",
             "<zone>Bench Keep</zone><PlayerInfos>"]
    for position, member in enumerate(members, 1):
        parts.append(f"<key{position}><name>{character(member)}</name><race>Human</race>"
                     f"<guild>Bench</guild><sex>2</sex>"
                     f"<class>{CLASSES[member % len(CLASSES)]}</class><level>70</level>"
                     f"</key{position}>")
    parts.append("</PlayerInfos><BossKills>")
    for kill in range(1, KILLS + 1):
        attendees = "".join(f"<key{i}><name>{character(m)}</name></key{i}>"
                            for i, m in enumerate(members, 1))
        parts.append(f"<key{kill}><name>Boss {kill}</name><dkp>10</dkp>"
                     f"<time>{log_time(start + timedelta(minutes=25 * kill))}</time>"
                     f"<attendees>{attendees}</attendees></key{kill}>")
    parts.append(f"</BossKills><note>raid {number}</note><Loot>")
    for loot in range(1, LOOT + 1):
        looter = character(rng.choice(members))
        item = 30000 + rng.randrange(400)
        parts.append(f"<key{loot}><ItemName>Item {item}</ItemName><ItemID>{item}:0:0:0</ItemID>"
                     f"<Icon>INV_Bench</Icon><Class>Armor</Class><SubClass>Plate</SubClass>"
                     f"<Color>ffa335ee</Color><Count>1</Count><Player>{looter}</Player>"
                     f"<Costs>{rng.randrange(10, 200)}</Costs>"
                     f"<Time>{log_time(start + timedelta(minutes=25 * (1 + loot % KILLS)))}</Time>"
                     f"<Zone>Bench Keep</Zone><Boss>Boss {1 + loot % KILLS}</Boss>"
                     f"<Tooltip>Item {item}</Tooltip></key{loot}>")
    parts.append("</Loot></RaidInfo>")
    return "".join(parts)


class Site:
    """A running dkpsite on a free port."""

    def __init__(self, dkpsite, db):
        self.process = subprocess.Popen([dkpsite, "--port", "0", "--db", db],
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                        text=True)
        line = self.process.stdout.readline()
        found = re.search(r"http://([0-9.]+):([0-9]+)", line)
        if not found:
            self.process.kill()
            raise SystemExit(f"bench: dkpsite did not start: {line!r}")
        self.host, self.port = found.group(1), int(found.group(2))
        self.base = f"http://{self.host}:{self.port}"

    def request(self, method, path, body=None, token=None):
        connection = http.client.HTTPConnection(self.host, self.port, timeout=60)
        headers = {}
        data = None
        if body is not None:
            data = json.dumps(body).encode("utf-8")
            headers["Content-Type"] = "application/json; charset=utf-8"
        if token:
            headers["Authorization"] = f"Bearer {token}"
        connection.request(method, path, body=data, headers=headers)
        answer = connection.getresponse()
        content = answer.read()
        connection.close()
        return answer.status, content

    def login(self, user):
        status, content = self.request("POST", "/api/login",
                                       {"user": user, "digest": password_digest(PASSWORD)})
        if status != 200:
            raise SystemExit(f"bench: login of {user} answered {status}: {content[:200]!r}")
        return json.loads(content)["token"]

    def dkp_system(self, token, guild_id):
        status, content = self.request("GET", "/api/account", token=token)
        for guild in json.loads(content)["guilds"]:
            if guild["guildId"] == guild_id:
                return guild["dkpSystems"][0]["id"]
        raise SystemExit(f"bench: the account has no guild {guild_id}")

    def upload(self, token, guild_id, system, name, document):
        status, content = self.request("POST", "/api/events", {
            "guildId": guild_id, "dkpId": system, "name": name, "note": "", "document": document},
            token=token)
        if status != 200:
            raise SystemExit(f"bench: upload answered {status}: {content[:200]!r}")
        return status

    def stop(self):
        self.process.terminate()
        try:
            self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            # A site still busy with requests the load tool gave up on.
            self.process.kill()
            self.process.wait()


def cli(dkpsite, *arguments, password=None):
    subprocess.run([dkpsite, *arguments], check=True, stdout=subprocess.DEVNULL,
                   input=(password + "\n") if password else None, text=True)


def guild_names(number):
    return f"公会{number:03d}", f"g{number:03d}", f"officer{number:03d}"


def make_first_guild(dkpsite, db, raids):
    guild_id, site_name, officer = guild_names(1)
    cli(dkpsite, "init", "--db", db)
    cli(dkpsite, "user", "add", officer, "--db", db, password=PASSWORD)
    cli(dkpsite, "guild", "add", guild_id, "--site", site_name, "--db", db, "--admin", officer)
    site = Site(dkpsite, db)
    try:
        token = site.login(officer)
        system = site.dkp_system(token, guild_id)
        rng = random.Random(7)
        start = datetime(2023, 1, 3, 20, 0, 0)
        for number in range(1, raids + 1):
            moment = start + timedelta(days=(number * 7) // 3)
            site.upload(token, guild_id, system, f"Raid {number}",
                        raid_document(number, moment, rng))
            if number % 50 == 0:
                log(f"  guild 1: {number}/{raids} raids uploaded")
    finally:
        site.stop()


# Tables in the order their rows refer to each other, and the columns that hold a row id (the
# table's own or another's); every copy of the first guild moves them by its own offset.
COPIED_TABLES = ["users", "guilds", "dkp_systems", "memberships", "characters", "events",
                 "event_members", "event_kills", "kill_attendees", "event_loot", "ledger_entries",
                 "standings", "audit_log"]
ID_COLUMNS = {"id", "guild", "dkp_system", "uploader", "user_id", "event", "kill",
              "character_id", "main", "reverses"}


def copy_expression(table, column, number):
    guild_id, site_name, officer = guild_names(number)
    renamed = {("users", "name"): officer, ("guilds", "guild_id"): guild_id,
               ("guilds", "site"): site_name}
    if (table, column) in renamed:
        return "'" + renamed[(table, column)] + "'"
    if (table, column) == ("guilds", "standings_public"):
        return "1"
    return f"{column} + :shift" if column in ID_COLUMNS else column


def copy_first_guild(connection, number, offset):
    shift = (number - 1) * offset
    for table in COPIED_TABLES:
        columns = [row[1] for row in connection.execute(f"PRAGMA table_info({table})")]
        expressions = ", ".join(copy_expression(table, c, number) for c in columns)
        connection.execute(f"INSERT INTO {table} ({', '.join(columns)}) "
                           f"SELECT {expressions} FROM first.{table}", {"shift": shift})


def fill_sqlite(dkpsite, db, guilds, raids, folder):
    """The first guild uploaded raid by raid, then copied under other names, ids moved."""
    seed = os.path.join(folder, f"seed-{raids}.db")
    if not os.path.exists(seed):
        log(f"making one guild of {raids} raids by upload")
        make_first_guild(dkpsite, seed + ".new", raids)
        os.replace(seed + ".new", seed)
    cli(dkpsite, "init", "--db", seed)
    connection = sqlite3.connect(db, isolation_level=None)
    with sqlite3.connect(seed) as first:
        first.backup(connection)
    connection.execute("PRAGMA foreign_keys = OFF")
    connection.execute("UPDATE guilds SET standings_public = 1")
    connection.execute("ATTACH DATABASE ? AS first", (seed,))
    offset = 10 ** (len(str(max(connection.execute(
        f"SELECT MAX(id) FROM first.{t}").fetchone()[0] or 0 for t in
        ["users", "guilds", "dkp_systems", "characters", "events", "event_kills",
         "ledger_entries", "audit_log"]))))
    began = time.monotonic()
    connection.execute("BEGIN")
    for number in range(2, guilds + 1):
        copy_first_guild(connection, number, offset)
        if number % 20 == 0:
            log(f"  {number}/{guilds} guilds ({time.monotonic() - began:.0f} s)")
    connection.execute("COMMIT")
    connection.execute("DETACH DATABASE first")
    connection.execute("ANALYZE")
    connection.close()


def postgres_text(value):
    if value is None:
        return "\\N"
    text = str(value)
    return (text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")
            .replace("\r", "\\r"))


def fill_postgresql(dkpsite, sqlite_db, address):
    """The SQLite database's rows copied into a PostgreSQL database of the same schema."""
    cli(dkpsite, "init", "--db", address)
    connection = sqlite3.connect(sqlite_db)
    for table in COPIED_TABLES:
        columns = [row[1] for row in connection.execute(f"PRAGMA table_info({table})")]
        # The rows are the SQLite database's, whose keys hold already: checking each of millions
        # again would take longer than the copy.
        copy = subprocess.Popen(["psql", "-q", "-v", "ON_ERROR_STOP=1", address,
                                 "-c", "SET session_replication_role = replica",
                                 "-c", f"COPY {table} ({', '.join(columns)}) FROM STDIN"],
                                stdin=subprocess.PIPE, text=True, encoding="utf-8")
        for row in connection.execute(f"SELECT {', '.join(columns)} FROM {table}"):
            copy.stdin.write("\t".join(postgres_text(v) for v in row) + "\n")
        copy.stdin.close()
        if copy.wait() != 0:
            raise SystemExit(f"bench: copying {table} into PostgreSQL failed")
        log(f"  {table} copied")
    identities = [t for t in COPIED_TABLES if "id" in
                  [row[1] for row in connection.execute(f"PRAGMA table_info({t})")]]
    statements = "".join(f"SELECT setval(pg_get_serial_sequence('{t}', 'id'), "
                         f"(SELECT MAX(id) FROM {t}));" for t in identities)
    subprocess.run(["psql", "-q", "-v", "ON_ERROR_STOP=1", address, "-c", statements],
                   check=True, stdout=subprocess.DEVNULL)
    # As a database that has served a while: statistics, and pages marked all-visible so that
    # queries answered from an index alone need not visit the table.
    subprocess.run(["psql", "-q", "-v", "ON_ERROR_STOP=1", address, "-c", "VACUUM ANALYZE"],
                   check=True, stdout=subprocess.DEVNULL)
    connection.close()


def database_address(address, name):
    """The address of the database NAME on the server of ADDRESS."""
    parts = urllib.parse.urlsplit(address)
    return urllib.parse.urlunsplit(parts._replace(path="/" + name))


def psql(address, statement):
    return subprocess.run(["psql", "-qAt", "-v", "ON_ERROR_STOP=1", address, "-c", statement],
                          check=True, capture_output=True, text=True).stdout.strip()


def prepared_postgresql(dkpsite, sqlite_db, server, tag):
    """The address of the database hosted_TAG on SERVER, filled from the SQLite database once:
    it is filled under another name and renamed when whole, as the SQLite file is."""
    name = f"hosted_{tag}"
    if psql(server, f"SELECT count(*) FROM pg_database WHERE datname = '{name}'") != "1":
        log(f"filling PostgreSQL database {name}")
        psql(server, f"DROP DATABASE IF EXISTS {name}_new")
        psql(server, f"CREATE DATABASE {name}_new")
        fill_postgresql(dkpsite, sqlite_db, database_address(server, f"{name}_new"))
        psql(server, f"ALTER DATABASE {name}_new RENAME TO {name}")
    return database_address(server, name)


def percentile(values, fraction):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(fraction * len(ordered)))]


def timed(call, count):
    times = []
    for index in range(count):
        began = time.perf_counter()
        status = call(index)
        times.append((time.perf_counter() - began) * 1000)
        if status != 200:
            raise SystemExit(f"bench: a timed request answered {status}")
    return percentile(times, 0.5), percentile(times, 0.99)


def event_ids(site):
    """A few event numbers of the first guild, read from its page's links."""
    status, page = site.request("GET", "/" + guild_names(1)[1])
    return [int(n) for n in re.findall(rb"eventid=([0-9]+)", page)][:20] or [1]


def wrk_lists(site, guilds, seconds):
    script = os.path.join(tempfile.gettempdir(), f"bench-site-{os.getpid()}.lua")
    with open(script, "w", encoding="utf-8") as out:
        out.write(f"local n = 0\nrequest = function()\n  n = n % {guilds} + 1\n"
                  f"  return wrk.format('GET', string.format("
                  f"'/api/guild-dkp-list?site=g%03d&client=mainland', n))\nend\n")
    try:
        result = subprocess.run(["wrk", "-t2", "-c100", f"-d{seconds}s", "-s", script, site.base],
                                check=True, capture_output=True, text=True).stdout
    finally:
        os.remove(script)
    rate = re.search(r"Requests/sec:\s+([0-9.]+)", result)
    errors = re.search(r"Non-2xx or 3xx responses: ([0-9]+)", result)
    return float(rate.group(1)) if rate else 0.0, int(errors.group(1)) if errors else 0


def measure(dkpsite, db, engine, guilds, seconds):
    site = Site(dkpsite, db)
    try:
        site_name = guild_names(1)[1]
        # The uploads go to the last guild: the first, whose members' histories are timed, keeps
        # the size it was made with however often the benchmark runs.
        guild_id, _, officer = guild_names(guilds)
        token = site.login(officer)
        system = site.dkp_system(token, guild_id)
        rng = random.Random(time.time_ns())
        sites = [guild_names(n)[1] for n in range(1, guilds + 1)]
        events = event_ids(site)
        stamp = time.time_ns()
        rows = [
            ("DKP list", 20, timed(lambda i: site.request(
                "GET", f"/api/guild-dkp-list?site={sites[i % len(sites)]}&client=mainland")[0],
                SAMPLES)),
            ("member history", 20, timed(lambda i: site.request(
                "GET", f"/{site_name}/member?name={character(i % ROSTER)}&page={1 + i % 20}")[0],
                SAMPLES)),
            ("40-member upload", 50, timed(lambda i: site.upload(
                token, guild_id, system, f"Bench {stamp} {i}",
                raid_document(i, datetime(2026, 1, 1, 20, 0, 0), rng, f" {stamp}-{i}")),
                UPLOADS)),
            ("guild page", 50, timed(lambda i: site.request(
                "GET", f"/{sites[i % len(sites)]}")[0], SAMPLES)),
            ("member page", 50, timed(lambda i: site.request(
                "GET", f"/{sites[i % len(sites)]}/member?name={character(i % ROSTER)}")[0],
                SAMPLES)),
            ("event page", 50, timed(lambda i: site.request(
                "GET", f"/event.do?method=event_info&eventid={events[i % len(events)]}")[0],
                SAMPLES)),
        ]
        rate, errors = wrk_lists(site, guilds, seconds)
    finally:
        site.stop()
    for name, target, (p50, p99) in rows:
        verdict = "under" if p99 < target else "OVER"
        print(f"{engine:<10} {name:<17} p50 {p50:7.2f} ms  p99 {p99:7.2f} ms  "
              f"({verdict} {target} ms)", flush=True)
    print(f"{engine:<10} DKP lists/s, 100 clients: {rate:8.0f}"
          f"{'' if errors == 0 else f'  ({errors} answers not 200)'}", flush=True)


# The tables of the earlier site that hold what its DKP list reads, and where each of their
# columns is in today's tables.
EARLIER_TABLES = {
    "users": "id, name, '', password_hash",
    "guilds": "id, guild_id, site, created_ms",
    "dkp_systems": "id, guild, name",
    "memberships": "user_id, guild, is_default",
    "events": "id, guild, dkp_system, uploader, name, note, document, raid_key, realm, "
              "start_time, end_time, zone, raid_note, created_ms",
    "event_members": "event, position, name, race, guild, sex, class, level",
    "event_kills": "id, event, position, boss, dkp, time",
    "kill_attendees": "kill, position, name",
    "event_loot": "event, position, item_name, item_id, icon, item_class, sub_class, color, "
                  "count, player, costs, time, zone, boss, tooltip",
}


def fill_earlier(earlier, sqlite_db, db):
    """The hosted database's guilds in a database the earlier site made with its own schema."""
    Site(earlier, db).stop()
    connection = sqlite3.connect(db, isolation_level=None)
    connection.execute("ATTACH DATABASE ? AS today", (sqlite_db,))
    connection.execute("BEGIN")
    for table, columns in EARLIER_TABLES.items():
        connection.execute(f"INSERT INTO {table} SELECT {columns} FROM today.{table}")
        log(f"  {table} copied")
    connection.execute("COMMIT")
    connection.execute("DETACH DATABASE today")
    connection.close()


def measure_earlier(earlier, db, guilds, samples, seconds):
    site = Site(earlier, db)
    try:
        sites = [guild_names(n)[1] for n in range(1, guilds + 1)]
        p50, p99 = timed(lambda i: site.request(
            "GET", f"/api/guild-dkp-list?site={sites[i % len(sites)]}&client=mainland")[0],
            samples)
        rate, errors = wrk_lists(site, guilds, seconds)
    finally:
        site.stop()
    print(f"{'earlier':<10} {'DKP list':<17} p50 {p50:7.2f} ms  p99 {p99:7.2f} ms  "
          f"({samples} requests)", flush=True)
    print(f"{'earlier':<10} DKP lists/s, 100 clients: {rate:8.1f}"
          f"{'' if errors == 0 else f'  ({errors} answers not 200)'}", flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--dkpsite", required=True)
    parser.add_argument("--folder", required=True, help="where the databases are kept")
    parser.add_argument("--guilds", type=int, default=200)
    parser.add_argument("--raids", type=int, default=450)
    parser.add_argument("--seconds", type=int, default=10, help="length of the wrk run")
    parser.add_argument("--postgresql", help="a postgresql:// address of a server on which to "
                        "fill (once) and time a database as well")
    parser.add_argument("--earlier-dkpsite", metavar="PATH",
                        help="the dkpsite this one replaced, to time its DKP list beside")
    parser.add_argument("--earlier-samples", type=int, default=20,
                        help="requests timed one at a time on the earlier site")
    arguments = parser.parse_args()
    os.makedirs(arguments.folder, exist_ok=True)
    tag = f"{arguments.guilds}x{arguments.raids}"
    sqlite = os.path.join(arguments.folder, f"hosted-{tag}.db")
    if not os.path.exists(sqlite):
        log(f"filling {sqlite}")
        fill_sqlite(arguments.dkpsite, sqlite + ".new", arguments.guilds, arguments.raids,
                    arguments.folder)
        os.replace(sqlite + ".new", sqlite)
    engines = [("sqlite", sqlite)]
    if arguments.postgresql:
        engines.append(("postgresql", prepared_postgresql(arguments.dkpsite, sqlite,
                                                          arguments.postgresql, tag)))
    print(f"{arguments.guilds} guilds of {arguments.raids} raids ({MEMBERS_PER_RAID} members, "
          f"{KILLS} kills, {LOOT} loot each); p50/p99 of {SAMPLES} requests "
          f"({UPLOADS} uploads), one at a time", flush=True)
    for engine, db in engines:
        measure(arguments.dkpsite, db, engine, arguments.guilds, arguments.seconds)
    if arguments.earlier_dkpsite:
        earlier = os.path.join(arguments.folder, f"earlier-{tag}.db")
        if not os.path.exists(earlier):
            log(f"filling {earlier}")
            fill_earlier(arguments.earlier_dkpsite, sqlite, earlier + ".new")
            os.replace(earlier + ".new", earlier)
        measure_earlier(arguments.earlier_dkpsite, earlier, arguments.guilds,
                        arguments.earlier_samples, arguments.seconds)


if __name__ == "__main__":
    main()

/* Lists the resources of a Windows executable (its .rsrc section) or of a
 * compiled .res file in one common form, so that the two can be compared
 * record by record:
 *
 *   res_records FILE                    one line per resource:
 *                                       "TYPE NAME LANGUAGE SIZE HASH"
 *   res_records FILE TYPE NAME LANGUAGE the raw bytes of that resource
 *
 * TYPE and NAME are decimal numbers, or names in double quotes; HASH is the
 * 64-bit FNV-1a hash of the resource's bytes, in hex. A file that starts
 * with "MZ" is read as an executable (PE32 or PE32+), anything else as .res. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

struct record {
    char type[128], name[128];
    unsigned lang;
    const uint8_t* data;
    uint32_t size;
};

static uint8_t* file;
static size_t file_size;
static struct record records[512];
static int record_count;

static void die(const char* what)
{
    fprintf(stderr, "res_records: %s\n", what);
    exit(2);
}

static void need(size_t offset, size_t length)
{
    if (offset > file_size || length > file_size - offset) die("truncated or malformed file");
}

static uint16_t u16(size_t o)
{
    need(o, 2);
    return (uint16_t)(file[o] | file[o + 1] << 8);
}

static uint32_t u32(size_t o)
{
    need(o, 4);
    return (uint32_t)file[o] | (uint32_t)file[o + 1] << 8 | (uint32_t)file[o + 2] << 16 | (uint32_t)file[o + 3] << 24;
}

/* Writes a UTF-16 name of `count` units at `o` as "..." (non-ASCII as \uXXXX). */
static void utf16_name(size_t o, size_t count, char* out, size_t room)
{
    size_t n = 0;
    n += (size_t)snprintf(out + n, room - n, "\"");
    for (size_t i = 0; i < count && n + 8 < room; ++i) {
        uint16_t c = u16(o + 2 * i);
        if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') out[n++] = (char)c;
        else n += (size_t)snprintf(out + n, room - n, "\\u%04x", c);
    }
    snprintf(out + n, room - n, "\"");
}

static struct record* add_record(void)
{
    if (record_count == (int)(sizeof records / sizeof records[0])) die("too many resources");
    return &records[record_count++];
}

/* ---- compiled .res: a sequence of header + data records, 4-byte aligned ---- */

/* Reads a type or name field at *o: 0xFFFF then a number, or a 0-ended string. */
static void res_id(size_t* o, char* out, size_t room)
{
    if (u16(*o) == 0xFFFF) {
        snprintf(out, room, "%u", u16(*o + 2));
        *o += 4;
        return;
    }
    size_t count = 0;
    while (u16(*o + 2 * count) != 0) ++count;
    utf16_name(*o, count, out, room);
    *o += 2 * (count + 1);
}

static void read_res(void)
{
    size_t o = 0;
    while (o + 8 <= file_size) {
        uint32_t data_size = u32(o), header_size = u32(o + 4);
        if (header_size < 8) die("bad .res record header");
        size_t p = o + 8;
        struct record r;
        res_id(&p, r.type, sizeof r.type);
        res_id(&p, r.name, sizeof r.name);
        p = (p + 3) & ~(size_t)3;
        r.lang = u16(p + 6); /* after DataVersion (4) and MemoryFlags (2) */
        need(o + header_size, data_size);
        r.data = file + o + header_size;
        r.size = data_size;
        /* The leading empty record only marks the file as 32-bit .res. */
        if (!(data_size == 0 && strcmp(r.type, "0") == 0)) *add_record() = r;
        o = (o + header_size + data_size + 3) & ~(size_t)3;
    }
}

/* ---- executable: the resource tree of type, name and language ---- */

static size_t rsrc_offset; /* file offset of the .rsrc directory */
static uint32_t rsrc_rva;
static size_t sections_at;
static unsigned section_count;

static size_t rva_to_offset(uint32_t rva)
{
    for (unsigned i = 0; i < section_count; ++i) {
        size_t s = sections_at + 40 * i;
        uint32_t vsize = u32(s + 8), va = u32(s + 12), raw_size = u32(s + 16), raw = u32(s + 20);
        uint32_t span = vsize > raw_size ? vsize : raw_size;
        if (rva >= va && rva < va + span) return raw + (rva - va);
    }
    die("address outside every section");
    return 0;
}

/* The name of a directory entry: an id, or a length-prefixed UTF-16 string. */
static void entry_name(uint32_t field, char* out, size_t room)
{
    if (field & 0x80000000u) {
        size_t s = rsrc_offset + (field & 0x7FFFFFFFu);
        utf16_name(s + 2, u16(s), out, room);
    } else {
        snprintf(out, room, "%u", field & 0xFFFFu);
    }
}

static void walk(size_t dir, int level, struct record* r)
{
    unsigned entries = u16(dir + 12) + u16(dir + 14);
    for (unsigned i = 0; i < entries; ++i) {
        size_t e = dir + 16 + 8 * i;
        uint32_t name = u32(e), target = u32(e + 4);
        if (level == 0) entry_name(name, r->type, sizeof r->type);
        if (level == 1) entry_name(name, r->name, sizeof r->name);
        if (level == 2) r->lang = name & 0xFFFFu;
        if (target & 0x80000000u) {
            if (level >= 2) die("resource tree deeper than three levels");
            walk(rsrc_offset + (target & 0x7FFFFFFFu), level + 1, r);
        } else {
            if (level != 2) die("resource data above the language level");
            size_t d = rsrc_offset + target;
            size_t at = rva_to_offset(u32(d));
            r->size = u32(d + 4);
            need(at, r->size);
            r->data = file + at;
            *add_record() = *r;
        }
    }
}

static void read_pe(void)
{
    size_t pe = u32(0x3C);
    if (u32(pe) != 0x00004550) die("no PE signature");
    section_count = u16(pe + 6);
    size_t optional = pe + 24;
    uint16_t magic = u16(optional);
    size_t dirs;
    if (magic == 0x10B) dirs = optional + 96;
    else if (magic == 0x20B) dirs = optional + 112;
    else die("unknown optional header");
    if (u32(dirs - 4) < 3) die("no resource directory entry");
    sections_at = optional + u16(pe + 20);
    rsrc_rva = u32(dirs + 2 * 8);
    if (rsrc_rva == 0) return;
    rsrc_offset = rva_to_offset(rsrc_rva);
    struct record r;
    memset(&r, 0, sizeof r);
    walk(rsrc_offset, 0, &r);
}

static uint64_t fnv1a(const uint8_t* p, uint32_t n)
{
    uint64_t h = 0xcbf29ce484222325ull;
    for (uint32_t i = 0; i < n; ++i) h = (h ^ p[i]) * 0x100000001b3ull;
    return h;
}

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 5) die("usage: res_records FILE [TYPE NAME LANGUAGE]");
    FILE* f = fopen(argv[1], "rb");
    if (!f) die("cannot open the file");
    fseek(f, 0, SEEK_END);
    file_size = (size_t)ftell(f);
    fseek(f, 0, SEEK_SET);
    file = malloc(file_size ? file_size : 1);
    if (!file || fread(file, 1, file_size, f) != file_size) die("cannot read the file");
    fclose(f);

    if (file_size >= 2 && file[0] == 'M' && file[1] == 'Z') read_pe();
    else read_res();

    if (argc == 2) {
        for (int i = 0; i < record_count; ++i)
            printf("%s %s %u %u %016llx\n", records[i].type, records[i].name, records[i].lang, records[i].size,
                   (unsigned long long)fnv1a(records[i].data, records[i].size));
        return 0;
    }
    for (int i = 0; i < record_count; ++i) {
        if (strcmp(records[i].type, argv[2]) == 0 && strcmp(records[i].name, argv[3]) == 0 &&
            records[i].lang == (unsigned)strtoul(argv[4], NULL, 10)) {
            fwrite(records[i].data, 1, records[i].size, stdout);
            return 0;
        }
    }
    die("no such resource");
    return 2;
}

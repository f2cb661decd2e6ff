#!/usr/bin/env python3
"""Second reader and writer for the tag tests, built on mutagen.

  mutagen_tool.py write PATH CASE     adds an ID3v2 tag of a named case to PATH
  mutagen_tool.py read PATH [--gbk]   prints what mutagen reads, one key=value a line,
                                      values as hex of their UTF-8 bytes; --gbk takes
                                      encoding-0 texts as GBK bytes, the way Corvane
                                      writes them

Read keys: the twelve fields (as Corvane's reader delivers them), version, frames
(frame identifiers in file order), pictures (count) and picture<N> (sha1 of the data,
MIME type and description).
"""
import hashlib
import sys

from mutagen.id3 import (APIC, COMM, ID3, TALB, TCOM, TCON, TCOP, TDRC, TENC, TIT2, TOPE,
                         TPE1, TPE2, TRCK, TXXX, USLT, WXXX, Encoding, ID3NoHeaderError)

PICTURE = b"\x89PNG\r\n\x1a\n" + bytes(range(256)) * 40


def add_all(tag, enc, texts, picture=True):
    tag.add(TIT2(encoding=enc, text=texts["title"]))
    tag.add(TPE1(encoding=enc, text=texts["artist"]))
    tag.add(TALB(encoding=enc, text=texts["album"]))
    tag.add(TRCK(encoding=enc, text=texts["track"]))
    tag.add(TDRC(encoding=enc, text=texts["date"]))
    tag.add(TCON(encoding=enc, text=texts["genre"]))
    tag.add(COMM(encoding=enc, lang="eng", desc="", text=texts["comment"]))
    tag.add(TCOM(encoding=enc, text=texts["composer"]))
    tag.add(TOPE(encoding=enc, text=texts["original_artist"]))
    tag.add(TCOP(encoding=enc, text=texts["rights"]))
    tag.add(WXXX(encoding=enc, desc=texts.get("url_desc", ""), url=texts["url"]))
    tag.add(TENC(encoding=enc, text=texts["encoder"]))
    tag.add(TPE2(encoding=enc, text=texts["band"]))
    tag.add(TXXX(encoding=enc, desc="note", text=texts["note"]))
    tag.add(USLT(encoding=enc, lang="eng", desc="", text=texts["lyrics"]))
    if picture:
        tag.add(APIC(encoding=enc, mime="image/png", type=3, desc=texts["picture_desc"],
                     data=PICTURE))


ASCII = dict(title="Latin Title", artist="Latin Artist", album="Album", track="3/12",
             date="2004-05-06", genre="(17)Rock", comment="A comment", composer="Composer",
             original_artist="Original", rights="(C) 2004", url="http://example.com/a",
             encoder="LAME", band="Band", note="note text", lyrics="la la",
             picture_desc="cover")

CHINESE = dict(title="歌曲名 Title", artist=["歌手", "Two"], album="专辑", track="7",
               date="1999", genre="Pop", comment="注释：很好", composer="作曲家",
               original_artist="原创者", rights="版权所有", url="http://example.com/zh",
               url_desc="描述", encoder="编码者", band="乐队", note="备注",
               lyrics="歌词\n第二行", picture_desc="封面")

CASES = {
    # name: (ID3v2 version, encoding, texts)
    "latin1_v23": (3, Encoding.LATIN1, ASCII),
    "utf16_v23": (3, Encoding.UTF16, CHINESE),
    "utf16_v24": (4, Encoding.UTF16, CHINESE),
    "utf16be_v24": (4, Encoding.UTF16BE, CHINESE),
    "utf8_v24": (4, Encoding.UTF8, CHINESE),
    "latin1_v24": (4, Encoding.LATIN1, ASCII),
}


def write(path, case):
    version, enc, texts = CASES[case]
    tag = ID3()
    texts = dict(texts)
    if enc == Encoding.LATIN1:
        texts["url"] = texts["url"].encode("ascii", "replace").decode()
    add_all(tag, enc, texts)
    tag.save(path, v2_version=version, v23_sep="/")


def text_of(frame, gbk):
    parts = [str(t) for t in frame.text]
    if gbk and frame.encoding == Encoding.LATIN1:
        parts = [p.encode("latin-1").decode("gb18030", "replace") for p in parts]
    return "/".join(parts)


def read(path, gbk):
    try:
        tag = ID3(path, translate=False)
    except ID3NoHeaderError:
        print("version=")
        return
    out = {}

    def first(fid):
        frames = tag.getall(fid)
        return frames[0] if frames else None

    for key, fid in [("title", "TIT2"), ("artist", "TPE1"), ("album", "TALB"),
                     ("track", "TRCK"), ("composer", "TCOM"), ("original_artist", "TOPE"),
                     ("rights", "TCOP"), ("encoder", "TENC")]:
        f = first(fid)
        out[key] = text_of(f, gbk) if f else ""
    year = first("TYER")
    if year:
        out["year"] = text_of(year, gbk)
    else:
        tdrc = first("TDRC")
        out["year"] = text_of(tdrc, gbk)[:4] if tdrc else ""
    tcon = first("TCON")
    if tcon:
        genres = tcon.genres
        if gbk and tcon.encoding == Encoding.LATIN1:
            genres = [g.encode("latin-1").decode("gb18030", "replace") for g in genres]
        out["genre"] = "/".join(genres)
    else:
        out["genre"] = ""
    comm = first("COMM")
    out["comment"] = text_of(comm, gbk) if comm else ""
    wxxx = first("WXXX")
    out["url"] = wxxx.url if wxxx else ""
    out["version"] = "2.%d" % tag.version[1]
    out["frames"] = ",".join(f.FrameID for f in tag.values())
    pictures = tag.getall("APIC")
    out["pictures"] = str(len(pictures))
    for i, p in enumerate(pictures):
        out["picture%d" % i] = "%s:%s:%s" % (hashlib.sha1(p.data).hexdigest(), p.mime, p.desc)
    for key, value in out.items():
        print("%s=%s" % (key, value.encode("utf-8").hex()))


def main(argv):
    if len(argv) >= 4 and argv[1] == "write":
        write(argv[2], argv[3])
    elif len(argv) >= 3 and argv[1] == "read":
        read(argv[2], "--gbk" in argv[3:])
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

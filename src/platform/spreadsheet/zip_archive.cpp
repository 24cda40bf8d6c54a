#include "platform/spreadsheet/zip_archive.h"

#include <zip.h>

namespace {

bool ReadEntry(zip_t* archive, zip_uint64_t index, std::size_t& total,
               std::vector<ZipEntry>& entries) {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(archive, index, 0, &st) != 0) return false;
    if (!(st.valid & ZIP_STAT_NAME) || !(st.valid & ZIP_STAT_SIZE)) return false;
    std::string name = st.name;
    if (name.empty()) return false;
    if (name.back() == '/') return true;  // a folder entry carries nothing
    if (st.size > MAX_PART_SIZE) return false;
    total += st.size;
    if (total > MAX_PACKAGE_SIZE) return false;

    zip_file_t* file = zip_fopen_index(archive, index, 0);
    if (file == nullptr) return false;
    std::string data(st.size, '\0');
    const zip_int64_t got = st.size == 0 ? 0 : zip_fread(file, data.data(), st.size);
    zip_fclose(file);
    if (got < 0 || static_cast<zip_uint64_t>(got) != st.size) return false;
    entries.push_back({std::move(name), std::move(data)});
    return true;
}

}  // namespace

bool ReadZipEntries(const std::string& bytes, std::vector<ZipEntry>& entries) {
    entries.clear();
    if (bytes.empty()) return false;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source == nullptr) {
        zip_error_fini(&error);
        return false;
    }
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    zip_error_fini(&error);
    if (archive == nullptr) {
        zip_source_free(source);
        return false;
    }
    bool ok = true;
    std::size_t total = 0;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; ok && i < count; ++i)
        ok = ReadEntry(archive, static_cast<zip_uint64_t>(i), total, entries);
    zip_discard(archive);  // also frees the source
    if (!ok) entries.clear();
    return ok;
}

bool WriteZipEntries(const std::vector<ZipEntry>& entries, std::string& bytes) {
    bytes.clear();
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (target == nullptr) {
        zip_error_fini(&error);
        return false;
    }
    zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, &error);
    zip_error_fini(&error);
    if (archive == nullptr) {
        zip_source_free(target);
        return false;
    }
    // Keep the buffer alive after zip_close, to read the finished archive from it.
    zip_source_keep(target);

    bool ok = true;
    for (const ZipEntry& entry : entries) {
        zip_source_t* part = zip_source_buffer(archive, entry.data.data(), entry.data.size(), 0);
        if (part == nullptr) {
            ok = false;
            break;
        }
        const zip_int64_t index = zip_file_add(archive, entry.name.c_str(), part, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(part);
            ok = false;
            break;
        }
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 0);
    }
    if (!ok || zip_close(archive) != 0) {
        zip_discard(archive);
        zip_source_free(target);
        return false;
    }

    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(target, &st) != 0 || zip_source_open(target) != 0) {
        zip_source_free(target);
        return false;
    }
    bytes.resize(st.size);
    const zip_int64_t got = zip_source_read(target, bytes.data(), st.size);
    zip_source_close(target);
    zip_source_free(target);
    if (got < 0 || static_cast<zip_uint64_t>(got) != st.size) {
        bytes.clear();
        return false;
    }
    return true;
}

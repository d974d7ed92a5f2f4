/* A stand-in for libzip that reports version 2.0, which the export must refuse. */
const char* zip_libzip_version(void)
{
    return "2.0";
}

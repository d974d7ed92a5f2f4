// The mapping CSV reader on its own: where its rows and faults lie in the input.
#include "cli/CsvMapping.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(MappingCsvReaderTest, LinesCountFromTheRecordStartAcrossQuotedLineBreaks)
{
    std::istringstream in("gm_name,list,index,program,variation\r\n\"two\r\nlines\",drumset,1,2,3\r\n\r\n"
                          "\"x\",instrument,0,4,5\n");
    CMappingCsvReader reader(1, 2);
    ASSERT_TRUE(reader.Read(in)) << reader.ErrorReason();
    ASSERT_EQ(2u, reader.Rows().size());
    EXPECT_EQ(2u, reader.Rows()[0].nLine);
    EXPECT_TRUE(reader.Rows()[0].bDrumset);
    EXPECT_EQ(1u, reader.Rows()[0].nIndex);
    EXPECT_EQ(2, reader.Rows()[0].wProgram);
    EXPECT_EQ(3, reader.Rows()[0].byVariation);
    EXPECT_EQ(5u, reader.Rows()[1].nLine);
}

// The update record owns its file records: they go with it, or when it is emptied.
#include "app/CUpdateItem.h"
#include <gtest/gtest.h>

namespace {

int g_filesAlive = 0;

struct CountedFile : public CUpdateFileItem {
    CountedFile() { ++g_filesAlive; }
    ~CountedFile() override { --g_filesAlive; }
};

} // namespace

TEST(UpdateItem, OwnsAndDestroysItsFiles)
{
    g_filesAlive = 0;
    {
        CUpdateItem item;
        item.AddFile(new CountedFile);
        item.AddFile(new CountedFile);
        item.AddFile(nullptr);
        EXPECT_EQ(2, item.m_lstFiles.GetCount());
        EXPECT_EQ(2, g_filesAlive);
        item.RemoveAllFiles();
        EXPECT_EQ(0, g_filesAlive);
        EXPECT_TRUE(item.m_lstFiles.IsEmpty());
        item.AddFile(new CountedFile);
    }
    EXPECT_EQ(0, g_filesAlive);
}

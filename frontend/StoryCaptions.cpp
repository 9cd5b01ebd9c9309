// The captions of the episode intros and endings, eight per episode.
#include "frontend/StoryCaptions.h"

namespace {

const char* const kIntro[STORY_EPISODES][STORY_CAPTIONS] = {
    {
        "\"The Machines\" are robot army of a distant empire,\n"
        "built for nothing else but conquest.",
        "Their mission is to find worlds rich in metal and fuel,\n"
        "to strip them bare and to send every last scrap back home.",
        "They recently found \"Green Planet\",\n"
        "a quiet world of meadows, rivers and very old forests.",
        "However, it is not an empty world. Small and clever\n"
        "folk have lived there for ages: they are the Tinkerlings.",
        "The Tinkerlings are peace-loving creatures.\n"
        "They build toys, windmills and music boxes, but never weapons.",
        "Within just a few days the Machines crushed their villages,\n"
        "and the forests burned from one end of the valley to the other.",
        "This is the Tinkerlings' last free village,\n"
        "and the Machines are already at its wooden gates.",
        ". . . And there is only one person\n"
        "who can help them: you.",
    },
    {
        "Seven months has passed since\n"
        "the Machines were driven off our world.",
        "Tinkerlings are still suffering greatly\n"
        "from the wounds that the war left behind.",
        "But they now stand strong,\n"
        "and their little workshops hum again all day and night.",
        "All the while, Star Travel,\n"
        "Inc. watched us all from very far away.",
        "But with the unsurpassed income\n"
        "of their trade among the distant stars and moons,",
        "they have quickly recovered from all their losses\n"
        "and have built a fleet far larger than the one they lost.",
        "For they want to take back\n"
        "what they still believe was theirs from the very start.",
        "This time, it's not just a raid for metal.\n"
        "This time, it's revenge.",
    },
    {
        "After The Machines had already lost twice,\n"
        "they stopped sending their scouts and raiders\n"
        "and gathered every ship and gun they had left.",
        "Star Travel, Inc. had secretly dug very deep\n"
        "under Green Planet and set great, roaring engines there.",
        "This made the planet's temperature rise and rise,\n"
        "and the rivers and the seas began to slowly boil away.",
        "Not long after that, they\n"
        "landed in every area of the planet at once.",
        "They attempted to erase both the Tinkerlings\n"
        "and every trace of their old towns.",
        "The Machines will invest everything they own in this war,\n"
        "for they know that a third defeat would be the end of them.",
        "Only one side can remain, in this ultimate battle.",
        "This is the last stand.",
    },
};

const char* const kEnding[STORY_EPISODES][STORY_CAPTIONS] = {
    {
        "After we, the Tinkerlings, fought\n"
        "back across every field, river and hill of our little home,",
        "it came the time for\n"
        "the Machines' great mothership to come down and face us.",
        "In space, we confronted with\n"
        "its many guns and its endless dark hangars of steel.",
        "But it could not withstand\n"
        "our brave little robots for long.",
        "However, evil never stops.\n"
        "The empire behind them still waits out there.",
        "The war is not yet over,\n"
        "and one day the Machines may well come back to our world again.",
        "For now, let's rebuild what\n"
        "was lost, one house and one tree at a time, together.",
        "We are eternally grateful to you for saving us.",
    },
    {
        "The Machines' forces have been scattered once more,\n"
        "and their second fleet lies broken across all our hills.",
        "After the war we discovered who\n"
        "had paid for all of their ships, their guns and their fuel, all along.",
        "They are the ones that sold the Machines\n"
        "our maps, our weak spots and every secret of our land, for a price.",
        "So they planned this attack for years and years, to own Green Planet,\n"
        "while the Machines were only the tool for their dirty work.",
        "Green Planet is an artificial world, built very long ago by others,\n"
        "and something still sleeps deep under its oldest mountains.",
        "But we have no idea what it is, who left it there,\n"
        "or why Star Travel, Inc. wants it so much more than any gold.",
        "We will preserve this planet and whatever\n"
        "it hides, until the day we finally learn the whole truth about it.",
        "Thank you from the bottom of our hearts.",
    },
    {
        "Ultimately, violence and sheer numbers\n"
        "were not enough to beat the small\n"
        "but stubborn people of Green Planet.",
        "Since there is nothing left of the\n"
        "Machines' great army, their old empire\n"
        "has called the last of its broken ships back home.",
        "Though Star Travel, Inc. has lost\n"
        "its engines, its fleets and its good name,\n"
        "it still goes on looking for a home of its own.",
        "We don't mean a home of stone and\n"
        "steel, but a quiet place where they could\n"
        "live in peace with all of their neighbours, big and small.",
        "We pity Star Travel, Inc. for\n"
        "what it has become, after all\n"
        "that it has done to us and to so many others.",
        "Because they lost it a long time ago,\n"
        "when they chose gold over their friends,\n"
        "and since that day they have never found it again.",
        "Lastly, we want to thank you, who stood by us\n"
        "through three long wars, every storm, every flood,\n"
        "every fire and every long night on our little Green Planet.",
        "Whether it is today,\n"
        "or tomorrow,\n"
        "you are one of us.",
    },
};

const char* Pick(const char* const (&table)[STORY_EPISODES][STORY_CAPTIONS], int episode, int caption) {
    if (episode < 1 || episode > STORY_EPISODES || caption < 1 || caption > STORY_CAPTIONS) return nullptr;
    return table[episode - 1][caption - 1];
}

}  // namespace

const char* IntroCaption(int episode, int caption) { return Pick(kIntro, episode, caption); }

const char* EndingCaption(int episode, int caption) { return Pick(kEnding, episode, caption); }
